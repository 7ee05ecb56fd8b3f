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

. "$here/e2e-lib.sh"

# --- the program ---
start_viewer
geometry "$main"; main_x=$X; main_y=$Y; main_w=$W; main_h=$H

# The image fills the window below the menu bar; its size is the window's
# width, so its top is the window's bottom less that height.
image_size=$main_w image_x=$main_x image_y=$((main_y + main_h - main_w))
image_w=$image_size image_h=$image_size

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

# --- the additions after the specified items, chosen by the keyboard ---
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
