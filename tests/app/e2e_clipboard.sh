#!/usr/bin/env bash
# End to end on a real X server: start the real program on a test dictionary
# under its own Xvfb, double-click the first face with xdotool, and read the
# X clipboard with xclip. Usage: e2e_clipboard.sh path/to/emotipad
set -euo pipefail
exe=$1
for tool in Xvfb xdotool xclip iconv; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (./test.sh installs it)"; exit 1; }
done

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# A copy of the program, so that its position file lands here, not in the build.
cp "$exe" "$work/emotipad"
face='(´∀｀)ノ彡'
{ printf '%s\r\n' "$face" 'o(^-^)o' separate 'x' last_line; } | iconv -f UTF-8 -t CP932 > "$work/kaomoji.dat"

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
exec 3>&-
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "FAIL: Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"

(cd "$work" && QT_QPA_PLATFORM=xcb exec ./emotipad) >"$work/app.log" 2>&1 &
pids+=($!)
wid=$(timeout 30 xdotool search --sync --onlyvisible --name '^Emotipad$' | head -n1) || true
[ -n "$wid" ] || { echo "FAIL: the main window did not appear"; cat "$work/app.log"; exit 1; }
sleep 0.5

# The first face of the first page: page control at (1,0), six rows of tabs,
# the list at (3,8) on the page.
xdotool mousemove --window "$wid" 40 139 click --repeat 2 --delay 60 1

got=""
for _ in $(seq 50); do
    got=$(timeout 5 xclip -o -selection clipboard 2>/dev/null || true)
    [ "$got" = "$face" ] && break
    sleep 0.2
done
if [ "$got" != "$face" ]; then
    echo "FAIL: the clipboard holds '$got', expected '$face'"
    cat "$work/app.log"
    exit 1
fi
echo "clipboard holds $got"

