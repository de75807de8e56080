#!/usr/bin/env bash
# Screenshots of the main window under a real window manager (Xvfb and
# openbox) at the scale factors 1, 1.5 and 2: the five pages, the Savings page
# after a calculation, and a Warning box raised while Stay On Top is on. It
# also prints what the window manager sees of the box (caption, transient
# parent, stacking order), so the shots can be checked by text as well.
#
# Usage: scripts/screenshots.sh [path/to/accrua] [output folder]
# Installs xvfb, openbox, xdotool, imagemagick and x11-utils when missing.
set -euo pipefail

app=$(realpath "${1:-build/release/src/app/accrua}")
out=${2:-screenshots}
mkdir -p "$out"
out=$(realpath "$out")

missing=()
for p in xvfb openbox xdotool imagemagick x11-utils; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo_cmd=()
    [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# A display nobody else uses.
display=90
while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do
    display=$((display + 1))
done
export DISPLAY=:$display
work=$(mktemp -d)
Xvfb "$DISPLAY" -screen 0 1600x1200x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
app_pid=
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "${wm_pid:-}" ] && kill "$wm_pid" 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >"$work/openbox.log" 2>&1 &
wm_pid=$!
sleep 1

# The outer rectangle of a window, frame included: "x y width height".
frame_of() {
    local id=$1 x y w h
    x=$(xwininfo -id "$id" | awk '/Absolute upper-left X/ {print $4}')
    y=$(xwininfo -id "$id" | awk '/Absolute upper-left Y/ {print $4}')
    w=$(xwininfo -id "$id" | awk '/Width:/ {print $2}')
    h=$(xwininfo -id "$id" | awk '/Height:/ {print $2}')
    read -r l r t b < <(xprop -id "$id" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
    echo "$((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))"
}

# Saves the screen cut to the union of the given windows' frames.
shoot() {
    local file=$1
    shift
    local x0=100000 y0=100000 x1=0 y1=0 x y w h
    for id in "$@"; do
        read -r x y w h < <(frame_of "$id")
        ((x < x0)) && x0=$x
        ((y < y0)) && y0=$y
        ((x + w > x1)) && x1=$((x + w))
        ((y + h > y1)) && y1=$((y + h))
    done
    import -window root -crop "$((x1 - x0))x$((y1 - y0))+$x0+$y0" +repage "$out/$file"
    echo "  $file"
}

start_app() { # scale, settings folder
    XDG_CONFIG_HOME=$2 QT_SCALE_FACTOR=$1 "$app" --no-splash >"$work/app.log" 2>&1 &
    app_pid=$!
    main=$(xdotool search --sync --onlyvisible --name '^Accrua$' | head -1)
    xdotool windowactivate --sync "$main"
    sleep 0.5
}

stop_app() {
    kill "$app_pid" 2>/dev/null || true
    wait "$app_pid" 2>/dev/null || true
    app_pid=
}

pages=(payment:p number-of-payments:n amortization:a daily:d savings:s)
for scale in 1 1.5 2; do
    echo "scale $scale"
    settings=$(mktemp -d -p "$work")
    start_app "$scale" "$settings"
    for entry in "${pages[@]}"; do
        name=${entry%%:*}
        xdotool key --window "$main" alt+c "${entry##*:}"
        sleep 0.4
        shoot "scale$scale-$name.png" "$main"
    done
    # The Savings page with values and results: 1000.00 at 4 % quarterly for 1 year.
    type_field() { xdotool key ctrl+a && xdotool type --delay 20 "$1"; }
    type_field 1000
    xdotool key Tab
    type_field 4
    xdotool key Tab Down Tab
    type_field 1
    xdotool key Return
    sleep 0.4
    shoot "scale$scale-savings-calculated.png" "$main"
    stop_app

    # Stay On Top read back from the store, then a Warning from a leave check.
    mkdir -p "$settings/Quennet"
    printf '[General]\nSTAYONTOP=1\n' >"$settings/Quennet/Accrua.conf"
    start_app "$scale" "$settings"
    type_field xyz
    xdotool key Tab
    box=$(xdotool search --sync --onlyvisible --name '^Warning$' | head -1)
    sleep 0.5
    shoot "scale$scale-warning-stay-on-top.png" "$main" "$box"
    echo "  window state: $(xprop -id "$main" _NET_WM_STATE | sed 's/.*= //')"
    echo "  box caption: $(xprop -id "$box" _NET_WM_NAME | sed 's/.*= //')"
    echo "  box transient for the window: $(xprop -id "$box" WM_TRANSIENT_FOR | grep -qi "$(printf '0x%x' "$main")" && echo yes || echo no)"
    stacking=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g')
    position() { local i=0; for w in $stacking; do [ $((w)) -eq "$1" ] && echo $i; i=$((i + 1)); done; }
    echo "  box stacked above the window: $([ "$(position "$box")" -gt "$(position "$main")" ] && echo yes || echo no)"
    xdotool key Return || true
    stop_app
done
echo "screenshots in $out"
