#!/usr/bin/env bash
# End-to-end test of the viewer: the real binary on an X server of its own
# (run it under xvfb-run), driven with xdotool as a person would (menus, a
# drag, a shift-click, a slider, Ctrl+S, the close box), checked through
# screenshots of the image area and the saved file.
#
# Usage: viewer-e2e.sh OMBRELIA_BINARY OMBRELIA_RENDER_BINARY SCREENSHOT_DIR
# Exit 0 on success, 1 on failure, 77 (skip) for a ThreadSanitizer build.
set -u

binary="$1" renderer="$2" shots="$3"
here="$(cd "$(dirname "$0")" && pwd)"

for tool in xdotool import compare python3; do
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

settle start

# --- Palette3 from the menu bar: open File, the first title, then move
# right to Palette, whose first item is then active ---
xdotool mousemove $((main_x + 12)) $(((main_y + image_y) / 2)) click 1 sleep 0.5 key Right Down Down Return sleep 0.3
settle palette3
expect_changed start palette3 "Palette3"

# --- a drag over the image zooms in ---
ax=$((image_x + 100)); ay=$((image_y + 60))
xdotool mousemove "$ax" "$ay" mousedown 1
for step in 10 20 40 60 80 100; do xdotool mousemove $((ax + step)) $((ay + step)); sleep 0.05; done
xdotool sleep 0.2 mouseup 1
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
xdotool windowfocus --sync "$main" key ctrl+s
timeout 10 xdotool search --sync --name '^Save$' >/dev/null || fail "Ctrl+S opened no save panel"
sleep 0.5
xdotool type --delay 10 "$work/saved.png"
xdotool key Return
for _ in $(seq 100); do [ -s "$work/saved.png" ] && break; sleep 0.1; done
"$renderer" -q --from "$work/saved.png" -o "$work/again.png" || fail "--from refused the saved file"
cmp "$work/saved.png" "$work/again.png" || fail "--from on the saved file gave other bytes"
echo "saved $(stat -c %s "$work/saved.png") bytes; --from gives the same file"

# --- the close box ---
python3 "$here/send-wm-delete.py" "$main" || fail "could not send the close request"
for _ in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app_pid" 2>/dev/null && fail "the viewer is still running 10 s after the close request"
wait "$app_pid"; status=$?; app_pid=""
[ "$status" = 0 ] || fail "the viewer exited with status $status: $(cat "$work/ombrelia.log")"
echo "closed with status 0; PASS"
