#!/usr/bin/env bash
# End-to-end test of the View menu and the Point window: the real viewer on an
# X server of its own, its image fitted to a window of about 900 x 700 and
# compared with the renderer's pictures of that size, on a screen scaled by 2
# too; a pinned point's values copied; a picture named on the command line.
#
# Usage: canvas-e2e.sh OMBRELIA_BINARY OMBRELIA_RENDER_BINARY SCREENSHOT_DIR
# Exit 0 on success, 1 on failure, 77 (skip) for a ThreadSanitizer build.
set -u

binary="$1" renderer="$2" shots="$3"
here="$(cd "$(dirname "$0")" && pwd)"

. "$here/e2e-lib.sh"

# Starts the viewer (with these arguments) and sets the image area to the
# window's below its menu bar.
start() {
    start_viewer "$@"
    geometry "$main"; main_x=$X; main_y=$Y
    bar=$((H - W)) image_x=$X image_y=$((Y + H - W)) image_w=$W image_h=$W
}
stop() { kill "$app_pid"; wait "$app_pid" 2>/dev/null; app_pid=""; }
# Fit Image to Window, the first item of the fifth menu, View; then the
# window's content made width x height device pixels below the menu bar.
fit_to() { # width height
    choose 4 0
    xdotool windowsize --sync "$main" "$1" $(($2 + bar))
    sleep 0.5
    geometry "$main"
    image_w=$1 image_h=$2 image_y=$((Y + bar))
    [ "$W" = "$1" ] && [ "$H" = $(($2 + bar)) ] || fail "the fitted window is ${W}x$H, not $1x$(($2 + bar))"
}
# Runs the command Ctrl+C copied, writing to $work/lyapunov.png.
run_copied() {
    local command=$(copied)
    (cd "$work" && PATH="$(dirname "$renderer"):$PATH" sh -c "$command -q") || fail "the copied command failed: $command"
}

start
choose 3 1 # Zircon Zity, in colours the screen shows exactly
settle zircon

# --- fitted to about 900 x 700: the renderer's picture of that size ---
fit_to 900 700
settle fitted
save_as "$work/fitted.png"
run_copied
cmp "$work/fitted.png" "$work/lyapunov.png" || fail "the copied command did not write what Ctrl+S wrote"
case "$(copied)" in *--size=900x700\ *) ;; *) fail "the fitted picture is not 900x700: $(copied)" ;; esac
screen_is fitted "$work/fitted.png" "fitted to 900 x 700"

# --- a drag zooms at that size ---
drag_zoom $((image_x + 500)) $((image_y + 300)) 150
settle fitted-zoom
expect_changed fitted fitted-zoom "drag zoom at 900 x 700"
run_copied
screen_is fitted-zoom "$work/lyapunov.png" "zoomed at 900 x 700"

# --- the Point window: pixel (123, 77) pinned; its exponent is the renderer's ---
in_main ctrl+i
point=$(timeout 10 xdotool search --sync --name '^Point$' | head -n1)
[ -n "$point" ] || fail "Ctrl+I opened no Point window"
xdotool mousemove $((image_x + 123)) $((image_y + 77)) sleep 0.5
in_main p
xdotool mousemove $((image_x + 600)) $((image_y + 500)) sleep 0.5
xdotool windowfocus --sync "$point" key ctrl+c sleep 0.5
values=$(xclip -selection clipboard -o)
echo "Point: $(echo $values)"
"$renderer" -q --from "$work/lyapunov.png" -o "$work/exponents.tif" || fail "the renderer wrote no TIFF"
"$renderer" -q --from "$work/exponents.tif" -o "$work/exponents.npy" || fail "the TIFF did not become an array"
/usr/bin/python3 - "$work/exponents.npy" "$values" <<'PYTHON' || fail "the pinned point's exponent is not the renderer's"
import sys, numpy
exponents = numpy.load(sys.argv[1])
values = dict(line.split("=", 1) for line in sys.argv[2].split())
assert float(values["exponent"]) == exponents[77, 123], (values, exponents[77, 123])
PYTHON
echo "the pinned pixel's exponent is the renderer's to the last bit"

# --- Fit off: the window back within 384, the whole picture in it ---
choose 4 0
sleep 1
geometry "$main"
[ "$W" -le 384 ] && [ "$H" -le $((384 + bar)) ] || fail "the window is ${W}x$H after Fit off"
image_w=$W image_h=$((H - bar))
settle unfitted
run_copied
case "$(copied)" in *--size=${image_w}x${image_h}\ *) ;; *) fail "the picture is not the window's size: $(copied)" ;; esac
screen_is unfitted "$work/lyapunov.png" "Fit off"

# --- F11 fills the screen; Escape leaves, back within 384 ---
in_main F11
sleep 1
geometry "$main"
[ "$W $H" = "$(xdotool getdisplaygeometry)" ] || fail "F11 made the window ${W}x$H, not the screen"
in_main Escape
sleep 1
geometry "$main"
[ "$W" -le 384 ] && [ "$H" -le $((384 + bar)) ] || fail "the window is ${W}x$H after Escape"
echo "F11 filled the screen, Escape left it"
stop

# --- a picture named on the command line is shown ---
"$renderer" -q --size 384x384 --sequence AABAB --iterations 200 --palette-file fire -o "$work/named.png"
start "$work/named.png"
settle named
screen_is named "$work/named.png" "ombrelia FILE"
stop

# --- on a screen scaled by 2, a fitted image has a pixel per device pixel ---
QT_SCALE_FACTOR=2 start
choose 3 1
fit_to 900 700
settle scaled
save_as "$work/scaled.png"
case "$(copied)" in *--size=900x700\ *) ;; *) fail "the scaled picture is not 900x700 pixels: $(copied)" ;; esac
screen_is scaled "$work/scaled.png" "fitted on a screen scaled by 2"
stop
echo PASS
