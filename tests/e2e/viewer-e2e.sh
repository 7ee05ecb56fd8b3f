#!/usr/bin/env bash
# End-to-end test of the viewer: the real binary on an X server of its own
# (run it under xvfb-run), driven with xdotool as a person would (menus, a
# drag, a shift-click, a slider, Ctrl+S, back and forward, Ctrl+O, Ctrl+C,
# the close box), checked through screenshots of the image area, the saved
# files and the clipboard.
#
# Usage: viewer-e2e.sh OMBRELIA_BINARY OMBRELIA_RENDER_BINARY SCREENSHOT_DIR
# Exit 0 on success, 1 on failure, 77 (skip) for a ThreadSanitizer build.
set -u

binary="$1" renderer="$2" shots="$3"
here="$(cd "$(dirname "$0")" && pwd)"

for tool in xdotool import compare python3 xclip; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed"; exit 1; }
done

# Qt's X11 connection reads events on a thread of its own and hands them to
# the GUI thread through futex-based locks inside the uninstrumented Qt
# libraries, which ThreadSanitizer cannot see: it reports races there that
# are not races. Our own threads are covered under ThreadSanitizer by the
# offscreen GUI tests and the stress run, which have no such thread.
[ -n "${TSAN_OPTIONS:-}" ] && { echo "SKIP: not under ThreadSanitizer (see above)"; exit 77; }

mkdir -p "$shots" && rm -f "$shots"/*.png
work="$(mktemp -d)" app_pid=""

cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null && wait "$app_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*"; exit 1; }

[ -n "${DISPLAY:-}" ] || fail "no X server: run under xvfb-run"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
# This X server has no session bus beside it: say so, rather than let the
# toolkit go looking for one (which also leaves a library allocation behind
# that the leak checker of the asan build reports).
export DBUS_SESSION_BUS_ADDRESS="disabled:"

# --- the program ---
"$binary" >"$work/ombrelia.log" 2>&1 & app_pid=$!

version=$("$renderer" --version | cut -d' ' -f2)
main=$(timeout 20 xdotool search --sync --name "^Ombrelia ${version//./\\.}\$" | head -n1)
[ -n "$main" ] || fail "the main window did not appear"
panel=$(timeout 20 xdotool search --sync --name '^Lyap controls$' | head -n1)
[ -n "$panel" ] || fail "the control panel did not appear"

# Geometry of a window's content area: sets X, Y, W, H.
geometry() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    X=$((X)); Y=$((Y)); W=$((WIDTH)); H=$((HEIGHT))
}
geometry "$main"; main_x=$X; main_y=$Y; main_w=$W; main_h=$H

# The image fills the window below the menu bar; its size is the window's
# width, so its top is the window's bottom less that height.
image_size=$main_w image_x=$main_x image_y=$((main_y + main_h - main_w))

shot_image() { import -window root -crop "${image_size}x${image_size}+${image_x}+${image_y}" +repage "$shots/$1.png"; }
differing_pixels() { compare -metric AE "$shots/$1.png" "$shots/$2.png" null: 2>&1 | cut -d' ' -f1; }
# Waits until two screenshots 0.6 s apart agree: the render has finished.
settle() { # name
    shot_image "$1.prev"
    for i in $(seq 60); do
        sleep 0.6
        shot_image "$1"
        [ "$(differing_pixels "$1" "$1.prev")" = 0 ] && { rm -f "$shots/$1.prev.png"; return 0; }
        cp "$shots/$1.png" "$shots/$1.prev.png"
    done
    fail "the image never settled ($1)"
}
expect_changed() { # before after what
    local n=$(differing_pixels "$1" "$2")
    echo "$3: $n pixels changed"
    [ "$n" -gt 1000 ] || fail "$3 did not change the image"
}

# The same picture: the view writes the selection's coordinates wherever its
# pen has got to, so up to a few hundred pixels of text may differ.
same_pixels() { # one other what
    local n=$(differing_pixels "$1" "$2")
    [ "$n" -lt 1000 ] || fail "$3: $n pixels differ from $2"
    echo "$3: the same picture as $2 ($n pixels of text differ)"
}
# A drag over the image from (x, y) by d pixels down and right.
drag_zoom() { # x y d
    xdotool mousemove "$1" "$2" mousedown 1
    for step in $(seq 10 10 "$3"); do xdotool mousemove $(($1 + step)) $(($2 + step)); sleep 0.05; done
    xdotool sleep 0.2 mouseup 1
}
in_main() { xdotool windowfocus --sync "$main" key "$@"; }
# Names a file in the panel that a shortcut opens and waits for it to close.
answer_panel() { # shortcut title path
    in_main "$1"
    local panel_id=$(timeout 10 xdotool search --sync --name "^$2\$" | head -n1)
    [ -n "$panel_id" ] || fail "$1 opened no $2 panel"
    sleep 0.5
    xdotool type --delay 10 "$3"
    xdotool key Return
    for _ in $(seq 50); do xdotool search --name "^$2\$" >/dev/null || return 0; sleep 0.1; done
}
save_as() { # path
    answer_panel ctrl+s Save "$1"
    for _ in $(seq 100); do [ -s "$1" ] && return 0; sleep 0.1; done
    fail "Ctrl+S wrote no $1"
}

settle start

# --- back and forward: two zooms, back twice is the start, forward the first zoom ---
drag_zoom $((image_x + 60)) $((image_y + 60)) 120
settle first-zoom
drag_zoom $((image_x + 40)) $((image_y + 80)) 100
settle second-zoom
expect_changed first-zoom second-zoom "second zoom"
in_main BackSpace
settle back-once
same_pixels back-once first-zoom "Backspace"
in_main alt+Left
settle back-twice
same_pixels back-twice start "Alt+Left"
in_main alt+Right
settle forward
same_pixels forward first-zoom "Alt+Right"
in_main BackSpace
settle start-again
same_pixels start-again start "Backspace"

# --- Palette3 from the menu bar: open File, the first title, then move
# right to Palette, whose first item is then active ---
xdotool mousemove $((main_x + 12)) $(((main_y + image_y) / 2)) click 1 sleep 0.5 key Right Down Down Return sleep 0.3
settle palette3
expect_changed start palette3 "Palette3"

# --- a drag over the image zooms in ---
drag_zoom $((image_x + 100)) $((image_y + 60)) 100
settle zoomed
expect_changed palette3 zoomed "drag zoom"

# --- a shift-click zooms out ---
xdotool mousemove $((image_x + 50)) $((image_y + 50)) keydown shift click 1 keyup shift
settle zoomed-out
expect_changed zoomed zoomed-out "shift-click zoom-out"

# --- the Morph slider: a click into its trough, left of the thumb ---
geometry "$panel"
xdotool mousemove $((X + 40)) $((Y + 57)) click 1
settle morph
expect_changed zoomed-out morph "Morph slider"

# --- Ctrl+S saves the picture; the renderer draws the saved file again ---
save_as "$work/saved.png"
"$renderer" -q --from "$work/saved.png" -o "$work/again.png" || fail "--from refused the saved file"
cmp "$work/saved.png" "$work/again.png" || fail "--from on the saved file gave other bytes"
echo "saved $(stat -c %s "$work/saved.png") bytes; --from gives the same file"

# --- Ctrl+O opens a picture of the renderer's: a sequence, a count no menu
# item has, palette 2; the viewer's save of it is the same file ---
"$renderer" -q --size "${image_size}x${image_size}" --sequence AABAB --iterations 100 \
    --a 3.4:3.95 --b 2.5:3.4 --palette 2 -o "$work/sequence.png" || fail "the renderer failed"
answer_panel ctrl+o Open "$work/sequence.png"
settle opened
expect_changed morph opened "Ctrl+O"
save_as "$work/opened.png"
cmp "$work/sequence.png" "$work/opened.png" || fail "the opened picture is not the file's"
echo "opened the renderer's picture: its save is the same file"

# --- Ctrl+C: the clipboard's command line, run, writes what Ctrl+S wrote ---
in_main ctrl+c
sleep 0.5
command=$(xclip -selection clipboard -o) || fail "nothing on the clipboard after Ctrl+C"
echo "Ctrl+C: $command"
case "$command" in
    ombrelia-render\ *) ;;
    *) fail "the clipboard holds no renderer command" ;;
esac
printf '%s' "$command" | LC_ALL=C grep -q '^[A-Za-z0-9 =:.+_/-]*$' || fail "the command needs quoting"
(cd "$work" && PATH="$(dirname "$renderer"):$PATH" sh -c "$command -q") || fail "the copied command failed"
cmp "$work/lyapunov.png" "$work/opened.png" || fail "the copied command wrote another file than Ctrl+S"
echo "the copied command writes the saved file"

# --- the additions after the specified items, chosen by the keyboard: open
# File, the first title, move right `menus` titles (the first item is then
# active), down `downs` items (separators are passed over), into a submenu
# and down `subdowns` there when given, and Return ---
choose() { # menus downs [subdowns]
    xdotool mousemove $((main_x + 12)) $(((main_y + image_y) / 2)) click 1 sleep 0.5
    for _ in $(seq "$1"); do xdotool key Right; done
    for _ in $(seq "$2"); do xdotool key Down; done
    [ -z "${3:-}" ] || { xdotool key Right sleep 0.3; for _ in $(seq "$3"); do xdotool key Down; done; }
    xdotool key Return sleep 0.3
}
# The screen against a file of the renderer's: the passes and the pen's text
# leave a few hundred pixels at most.
screen_is() { # name file what
    convert "$2" "$shots/$1-file.png"
    same_pixels "$1" "$1-file" "$3"
}

# "Zircon Zity", the first place after "Lyapunov Space", in its own colours.
choose 3 1
settle zircon
"$renderer" -q --size "${image_size}x${image_size}" --sequence BBBBBBAAAAAA --a 3.4:4 --b 2.5:3.4 --iterations 512 \
    --contrast 1500 --palette-file classic --chaos-contrast 600 --chaos-palette-file classic-chaos -o "$work/zircon.png"
screen_is zircon "$work/zircon.png" "Zircon Zity"

# Back to the opened picture; a shipped map ("fire", the seventh item of
# Palette) and a graded chaos (Chaos, its Palette2): Ctrl+S is the file the
# renderer makes of the opened one with those colours.
in_main BackSpace
settle back-from-zircon
choose 1 6
settle fire
choose 1 10 2
settle fire-chaos
save_as "$work/fire-chaos.png"
"$renderer" -q --from "$work/sequence.png" --palette-file fire --chaos-contrast 300 --chaos-palette 2 -o "$work/fire-chaos-r.png"
cmp "$work/fire-chaos.png" "$work/fire-chaos-r.png" || fail "the save in fire with a graded chaos is not the renderer's file"
screen_is fire-chaos "$work/fire-chaos.png" "fire and a graded chaos"

# A renderer's picture with settle, a map file's colours and a graded chaos,
# opened and saved again: the same file.
"$renderer" -q --size "${image_size}x${image_size}" --sequence AABAB --a 2.6:4 --b 2.6:4 --iterations 256 --settle 40 \
    --palette-file "$here/../../docs/gallery/dusk.ggr" --chaos-contrast 500 --chaos-palette-file ice -o "$work/settled.png"
answer_panel ctrl+o Open "$work/settled.png"
settle opened-settled
save_as "$work/settled-again.png"
cmp "$work/settled.png" "$work/settled-again.png" || fail "the opened settled picture in its colours is not the file's"

# The Values window (the last item of Fractal type), its first field the
# sequence and its second the iterations: a refused count changes nothing,
# then the values typed are shown.
copied() { in_main ctrl+c; sleep 0.5; xclip -selection clipboard -o; }
before_values=$(copied)
choose 3 5
values=$(timeout 10 xdotool search --sync --name '^Values$' | head -n1)
[ -n "$values" ] || fail "Values… opened no Values window"
xdotool windowfocus --sync "$values" sleep 0.3 key ctrl+a type --delay 10 "bbbbbbaaaaaa"
xdotool key Tab ctrl+a type --delay 10 "7"
xdotool key Return sleep 0.5
[ "$(copied)" = "$before_values" ] || fail "a refused iteration count changed the picture"
xdotool windowfocus --sync "$values" key ctrl+a type --delay 10 "1000"
xdotool key Return sleep 0.5
settle typed
case "$(copied)" in
    *--sequence=BBBBBBAAAAAA*--iterations=1000\ *) echo "Values: a refused count changed nothing; the typed ones are shown" ;;
    *) fail "the typed values are not the picture's: $(copied)" ;;
esac

# --- the close box ---
python3 "$here/send-wm-delete.py" "$main" || fail "could not send the close request"
for _ in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app_pid" 2>/dev/null && fail "the viewer is still running 10 s after the close request"
wait "$app_pid"; status=$?; app_pid=""
[ "$status" = 0 ] || fail "the viewer exited with status $status: $(cat "$work/ombrelia.log")"
echo "closed with status 0; PASS"
