#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# End-to-end on a real X server: the built program under Xvfb, used through the X server as
# a user would (xdotool), its screen captured with ImageMagick.
# Usage: run.sh PROGRAM PLAYER OUTPUT_DIR [SCALE]
#   PLAYER is ostrel-play, which tells the titles of the boxes as the core shows them;
#   screenshots and the program's log go to OUTPUT_DIR. SCALE (a whole number, 1 if not
#   given) is the QT_SCALE_FACTOR the program runs with: the screen, the window and every
#   click are that many times larger.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/common.sh"
ostrel_me=e2e

[ $# -eq 3 ] || [ $# -eq 4 ] || fail "usage: run.sh PROGRAM PLAYER OUTPUT_DIR [SCALE]"
program=$1
player=$2
out=$3
scale=${4:-1}
[[ $scale =~ ^[1-9][0-9]*$ ]] || fail "SCALE must be a whole number, not $scale"
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

for tool in Xvfb xdotool xwininfo xdpyinfo xclip import convert compare; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/test installs it)"
done
/usr/bin/python3 -c 'import Xlib' 2>/dev/null ||
    fail "python3-xlib is missing (scripts/test installs it)"

# Every X client call is bounded, so that a stuck call fails the test instead of hanging it.
x() { timeout 10 "$@"; }

step() { echo "e2e: $*"; }

main_title='^QZ Ostrel v1\.2 *$'
# The titles of the boxes that 开始计算 (with the start-up texts) and 使用说明 open, as the
# core shows them.
titles=$(printf 'click Command1\nclick C44\n' | "$player" --backend=core |
    sed -n 's/^msgbox \(.*\) | .*/\1/p')
error_title="^$(sed -n 1p <<<"$titles")\$"
help_title="^$(sed -n 2p <<<"$titles")\$"
if [ "$error_title" = '^$' ] || [ "$help_title" = '^$' ]; then
    fail "the player told no box titles"
fi

# Waits for the keyboard focus to be in the window (5 s at most).
focused() {
    for _ in $(seq 50); do
        [ "$(x xdotool getwindowfocus 2>/dev/null || true)" = "$1" ] && return 0
        sleep 0.1
    done
    return 1
}

# "X Y WIDTH HEIGHT" of a window on the screen.
place_of() {
    x xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
                             /^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF} END {print x, y, w, h}'
}

# Waits for a menu of the program to be on the screen (5 s at most) and photographs the window
# with it: a menu is a window of its own, beside the program's main window.
menu_open() {
    for _ in $(seq 50); do
        if [ "$(ostrel_search --onlyvisible --pid "$pid" | wc -l)" -gt 1 ]; then
            sleep 0.3 # let it paint
            x import -window root "$1"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# A screenshot of the part of the screen that holds both windows.
capture_both() {
    local x1 y1 w1 h1 x2 y2 w2 h2
    read -r x1 y1 w1 h1 < <(place_of "$1")
    read -r x2 y2 w2 h2 < <(place_of "$2")
    local left=$((x1 < x2 ? x1 : x2)) top=$((y1 < y2 ? y1 : y2))
    local right=$((x1 + w1 > x2 + w2 ? x1 + w1 : x2 + w2))
    local bottom=$((y1 + h1 > y2 + h2 ? y1 + h1 : y2 + h2))
    x import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$3"
}

# A box opened by a click: it must take the keyboard focus, and Return must close it.
answer_box() {
    local title=$1 shot=$2 box
    box=$(ostrel_wait_window "$title") || fail "no window titled $title appeared"
    step "box $title is window $box"
    focused "$box" || fail "the box $title did not take the keyboard focus"
    sleep 0.5 # let it paint
    capture_both "$main" "$box" "$shot"
    x xdotool key Return
    ostrel_wait_window_gone "$title" || fail "the box $title did not close on Return"
    kill -0 "$pid" 2>/dev/null || fail "the program ended after closing $title"
}

# A modal window opened by a click: it must appear at SIZE ("WIDTHxHEIGHT" device pixels),
# take the keyboard focus, and is photographed into SHOT; prints its id.
modal_window() {
    local title=$1 size=$2 shot=$3 window w h
    window=$(ostrel_wait_window "$title") || fail "no window titled $title appeared"
    step "modal window $title is window $window" >&2
    focused "$window" || fail "the window $title did not take the keyboard focus"
    read -r _ _ w h < <(place_of "$window")
    [ "${w}x${h}" = "$size" ] || fail "the window $title is ${w}x${h} device pixels, expected $size"
    sleep 0.5 # let it paint
    x import -window "$window" "$shot"
    echo "$window"
}

mkdir -p "$out"
# The program keeps its settings in a folder of the test's own, never the user's.
settings=$out/config
rm -rf "$settings"
pid=
cleanup() {
    [ -z "$pid" ] || kill "$pid" 2>/dev/null || true
    ostrel_xvfb_stop
}
trap cleanup EXIT

ostrel_xvfb_start "$((1024 * scale))x$((768 * scale))" "$out/xvfb.log"
x xdpyinfo >/dev/null || fail "the X server on $DISPLAY does not answer"

step "starting $program on $DISPLAY at scale $scale"
log=$out/qz-ostrel.log
QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale XDG_CONFIG_HOME=$settings "$program" >"$log" 2>&1 &
pid=$!
main=$(ostrel_wait_window "$main_title") || fail "no window titled 'QZ Ostrel v1.2' appeared"
read -r _ _ width height < <(place_of "$main")
expected="$((534 * scale))x$((380 * scale))"
[ "${width}x${height}" = "$expected" ] ||
    fail "client area ${width}x${height} device pixels, expected $expected"
sleep 1 # let it paint
x import -window "$main" "$out/window.png"
step "window $main is ${width}x${height}"

# Scaled up, the window is drawn at the screen's resolution, not drawn small and blown up:
# a picture blown up from one SCALE times smaller would come back the same from shrinking
# it to that size and blowing it up again, pixel for pixel. Sharp text and lines do not.
if [ "$scale" -gt 1 ]; then
    x convert "$out/window.png" -sample "$((100 / scale))%" -sample "$((100 * scale))%" \
        "$out/window-blown-up.png"
    changed=$(x compare -metric AE "$out/window.png" "$out/window-blown-up.png" null: 2>&1 ||
        true)
    [[ $changed =~ ^[0-9]+$ ]] || fail "could not compare the window with itself blown up: $changed"
    [ "$changed" -gt $((width * height / 100)) ] ||
        fail "the window looks blown up from a smaller picture ($changed pixels differ)"
    step "$changed device pixels are finer than a blown-up picture would have them"
fi

# 开始计算 with the start-up texts reports an input error.
x xdotool mousemove --window "$main" $(((16 + 124) * scale)) $(((232 + 16) * scale)) click 1
answer_box "$error_title" "$out/input-error.png"
# 使用说明 shows the instructions.
x xdotool mousemove --window "$main" $(((400 + 60) * scale)) $(((232 + 16) * scale)) click 1
answer_box "$help_title" "$out/instructions.png"
# Enter on a focused button presses it: Shift+Tab twice takes the focus from 使用说明, which
# has it since its click, back over 全部重置 to 开始计算, and Return presses that, which with
# the start-up texts reports the input error again.
x xdotool key shift+Tab shift+Tab
x xdotool key Return
answer_box "$error_title" "$out/input-error-by-enter.png"
ostrel_search --name "$main_title" >/dev/null || fail "the window is gone"

# A right click on the result line opens its menu of Qt's 复制 and 全选. With nothing selected
# yet 复制 cannot be chosen, so Down picks 全选 and Return chooses it; in the menu opened again
# Down picks 复制, which puts the whole line, the start-up caption, on the clipboard.
step "copying the result line from its context menu"
caption=$(printf 'show\n' | "$player" --backend=core | sed -n 's/^xsall=//p')
[ -n "$caption" ] || fail "the player told no result line"
result_line=("$(((272 + 124) * scale))" "$(((152 + 36) * scale))")
x xdotool mousemove --window "$main" "${result_line[@]}" click 3
menu_open "$out/context-menu.png" || fail "no menu opened on a right click on the result line"
x xdotool key Down Return
x xdotool mousemove --window "$main" "${result_line[@]}" click 3
menu_open "$out/context-menu-selected.png" || fail "no menu opened on the second right click"
x xdotool key Down Return
for _ in $(seq 50); do
    copied=$(x xclip -o -selection clipboard 2>/dev/null || true)
    [ "$copied" = "$caption" ] && break
    sleep 0.1
done
[ "$copied" = "$caption" ] || fail "the clipboard holds '$copied', not the result line '$caption'"
kill -0 "$pid" 2>/dev/null || fail "the program ended after copying the result line"

# The fee settings open in front of the window, at their own fixed size, take the keyboard,
# and Escape closes them without saving anything; the window has the keyboard back.
step "opening the fee settings"
x xdotool mousemove --window "$main" $(((380 + 33) * scale)) $(((28 + 11) * scale)) click 1
modal_window '^费率设置$' "$((360 * scale))x$((236 * scale))" "$out/fee-settings.png"
x xdotool key Escape
ostrel_wait_window_gone '^费率设置$' || fail "Escape did not close the fee settings"
focused "$main" || fail "the window did not get the keyboard back from the fee settings"
[ ! -e "$settings/qz-ostrel/qz-ostrel.ini" ] || fail "Escape in the fee settings saved them"

# A calculation that succeeds, then its detail; 复制 puts its rows on the clipboard, the cells
# apart by tabs, and Escape closes it.
step "calculating, then opening the detail"
type_into() {
    x xdotool mousemove --window "$main" $(($1 * scale)) $(($2 * scale)) click 1
    x xdotool key ctrl+a
    x xdotool type "$3"
}
type_into 144 105 10     # the old stock's price
type_into 144 129 5000   # the shares held
type_into 404 105 8      # the new stock's price
type_into 208 193 2000   # the balance
type_into 208 218 20000  # the money to spend
x xdotool mousemove --window "$main" $(((16 + 124) * scale)) $(((232 + 16) * scale)) click 1
sleep 0.5
if ostrel_search --onlyvisible --name "$error_title" >/dev/null; then
    fail "the calculation was refused"
fi
x xdotool mousemove --window "$main" $(((454 + 33) * scale)) $(((28 + 11) * scale)) click 1
detail=$(modal_window '^计算明细$' "$((536 * scale))x$((264 * scale))" "$out/detail.png")
x xdotool mousemove --window "$detail" $(((344 + 42) * scale)) $(((224 + 14) * scale)) click 1
for _ in $(seq 50); do
    copied=$(x xclip -o -selection clipboard 2>/dev/null || true)
    [[ $copied == *$'\t'* ]] && break
    sleep 0.1
done
[[ $copied == *$'\t'* ]] || fail "复制 put no rows of the detail on the clipboard: '$copied'"
x xdotool key Escape
ostrel_wait_window_gone '^计算明细$' || fail "Escape did not close the detail"
focused "$main" || fail "the window did not get the keyboard back from the detail"

# Closing the window as the window manager's close button does ends the program cleanly.
step "closing the window"
x /usr/bin/python3 "$here/close_window.py" "$main" || fail "could not close the window"
ostrel_wait_ended "$pid" 10 || fail "the program still runs 10 s after its window was closed"
status=0
wait "$pid" || status=$?
pid=
[ "$status" -eq 0 ] || fail "the program ended with status $status:
$(cat "$log")"
echo "e2e: passed; screenshots in $out"
