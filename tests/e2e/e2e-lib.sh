# What the end-to-end tests of the viewer share: the checks of the set-up,
# starting the program on the X server, screenshots of its image area, and
# driving its menus and panels as a person would. Sourced with binary,
# renderer and shots set; the image area is image_w x image_h at
# (image_x, image_y) of the screen, and main_x, main_y its window's corner.

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

start_viewer() { # [arguments]
    "$binary" "$@" >"$work/ombrelia.log" 2>&1 & app_pid=$!

    version=$("$renderer" --version | cut -d' ' -f2)
    main=$(timeout 20 xdotool search --sync --name "^Ombrelia ${version//./\\.}\$" | head -n1)
    [ -n "$main" ] || fail "the main window did not appear"
    panel=$(timeout 20 xdotool search --sync --name '^Lyap controls$' | head -n1)
    [ -n "$panel" ] || fail "the control panel did not appear"
}

# Geometry of a window's content area: sets X, Y, W, H.
geometry() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    X=$((X)); Y=$((Y)); W=$((WIDTH)); H=$((HEIGHT))
}
shot_image() { import -window root -crop "${image_w}x${image_h}+${image_x}+${image_y}" +repage "$shots/$1.png"; }
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
# A menu item chosen by the keyboard: open File, the first title, move right
# `menus` titles (the first item is then active), down `downs` items
# (separators are passed over), into a submenu and down `subdowns` there
# when given, and Return.
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

copied() { in_main ctrl+c; sleep 0.5; xclip -selection clipboard -o; }
