#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# End-to-end on Windows' side: qz-ostrel.exe under Wine on a private Xvfb, used through the X
# server as a user would (xdotool), its window photographed with ImageMagick.
# Usage: e2e.sh PROGRAM OUTPUT_DIR [DPI]
#   DPI (96 if not given) is the resolution the Wine prefix of this run tells programs; the
#   window, its fonts and every click scale with it. The screenshots are OUTPUT_DIR/window-DPI.png
#   at start-up, answer-DPI.png with an answer, selected-DPI.png with the answer selected,
#   detail-DPI.png (计算明细 of the answer), settings-DPI.png (费率设置 as it opens) and
#   itemised-DPI.png (the main window once the itemised fees are chosen).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/common.sh"
ostrel_me=e2e-windows
step() { echo "e2e-windows: $*"; }

[ $# -eq 2 ] || [ $# -eq 3 ] || fail "usage: e2e.sh PROGRAM OUTPUT_DIR [DPI]"
program=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
out=$2
dpi=${3:-96}
[[ $dpi =~ ^[1-9][0-9]*$ ]] || fail "DPI must be a whole number, not $dpi"
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
wine_run=$here/../../scripts/lib/wine-run
close_window=$here/../e2e/close_window.py
for tool in Xvfb xdotool xwininfo import xclip; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/test-windows installs it)"
done
mkdir -p "$out"
out=$(cd "$out" && pwd)

# Every X client call is bounded, so that a stuck call fails the test instead of hanging it.
x() { timeout 20 "$@"; }
# A length in pixels at 96 dots per inch, at this run's resolution.
px() { echo $((($1 * dpi + 48) / 96)); }

# A Wine of this run's own, told the resolution.
export OSTREL_WINE_DIR=$out/wine-$dpi
"$wine_run" --setup

program_pid=
cleanup() {
    [ -z "$program_pid" ] || kill "$program_pid" 2>/dev/null || true
    ostrel_xvfb_stop
}
trap cleanup EXIT
ostrel_xvfb_start 1600x1200 "$out/xvfb-$dpi.log"
# On this X server, so that Wine's desktop, which the first program starts, is there too.
reg=$OSTREL_WINE_DIR/prefix/drive_c/windows/system32/reg.exe
if [ "$dpi" != 96 ]; then
    "$wine_run" "$reg" add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
        >/dev/null
fi
# The program starts on the fees it starts with on a new system, whatever a run before chose.
"$wine_run" "$reg" delete 'HKCU\Software\QZ Ostrel' /f >/dev/null 2>&1 || true

step "starting $program at $dpi dpi"
"$wine_run" "$program" >"$out/program-$dpi.log" 2>&1 &
program_pid=$!

main_title='^QZ Ostrel v1\.2 *$'
id=$(ostrel_wait_window "$main_title" 20) ||
    fail "no window titled 'QZ Ostrel v1.2'"
sleep 1 # the first paint

geometry=$(x xwininfo -id "$id")
width=$(sed -n 's/^ *Width: //p' <<<"$geometry")
height=$(sed -n 's/^ *Height: //p' <<<"$geometry")
if [ "$width" != "$(px 534)" ] || [ "$height" != "$(px 380)" ]; then
    fail "client area ${width}x$height, expected $(px 534)x$(px 380)"
fi
step "client area ${width}x$height"
x import -window "$id" "$out/window-$dpi.png"

# 开始计算 with the start-up texts: the old price is missing.
x xdotool mousemove --window "$id" "$(px 140)" "$(px 248)" click 1
box=$(ostrel_wait_window '^输入错误$' 20) ||
    fail "no box titled 输入错误 after 开始计算"
step "the box 输入错误 is open"
x import -window "$box" "$out/box-$dpi.png"
x xdotool key --clearmodifiers Return
ostrel_wait_window_gone '^输入错误$' || fail "Return did not close the box"
step "Return closed the box"

# Amounts typed over the fields' texts (Tab selects a field's whole text), 开始计算 by Enter:
# a click into the old price, then back and forth with Tab.
x xdotool mousemove --window "$id" "$(px 144)" "$(px 105)" click 1
x xdotool key --clearmodifiers shift+Tab Tab
for amount in 10 5000 8 2000 20000; do
    [ "$amount" = 10 ] || x xdotool key --clearmodifiers Tab
    x xdotool type --delay 20 "$amount"
done
x xdotool key --clearmodifiers Return
sleep 0.5
answer=请卖出1900股旧股票，才能买到2500股新股。转仓后还有余额961元。
x import -window "$id" "$out/answer-$dpi.png"

# The answer selected with the mouse and copied, with the copy key and from its context menu
# (复制 by its underlined letter, 全选, which has none, as the last item: Up, then Return). The result line: 272,152, 249 x 73 pixels.
clipboard() { x xclip -selection clipboard -o -t UTF8_STRING; }
drag_across_the_answer() { # to X, Y in the result line
    x xdotool mousemove --window "$id" "$(px 273)" "$(px 160)" mousedown 1 \
        mousemove --window "$id" "$(px 400)" "$(px 165)" \
        mousemove --window "$id" "$(px "$1")" "$(px "$2")" mouseup 1
}
context_menu() { # then the keys $@, which choose an item
    x xdotool mousemove --window "$id" "$(px 300)" "$(px 160)" click 3
    sleep 0.5
    x xdotool key --clearmodifiers "$@"
    sleep 0.3
}
drag_across_the_answer 520 224
x xdotool key --clearmodifiers ctrl+c
sleep 0.3
copied=$(clipboard) || fail "nothing on the clipboard after the copy key"
[ "$copied" = "$answer" ] || fail "the copy key copied '$copied', not the answer '$answer'"
x import -window "$id" "$out/selected-$dpi.png"
step "the answer, dragged across, copied with Ctrl+C"

x xdotool mousemove --window "$id" "$(px 300)" "$(px 170)" click 1
drag_across_the_answer 396 160
context_menu c
part=$(clipboard) || fail "nothing on the clipboard after 复制"
if [ -z "$part" ] || [ "${#part}" -ge "${#answer}" ] || [ "${answer#"$part"}" = "$answer" ]; then
    fail "复制 after a drag halfway copied '$part', not the start of '$answer'"
fi
context_menu Up Return
x xdotool key --clearmodifiers ctrl+c
sleep 0.3
copied=$(clipboard) || fail "nothing on the clipboard after 全选 and the copy key"
[ "$copied" = "$answer" ] || fail "全选 and the copy key copied '$copied', not '$answer'"
step "复制 copied the part dragged across ('$part'), 全选 then Ctrl+C the whole answer"

# The modal windows, each opened by its button in the headline's strip and centred on the main
# window at the size its description gives: 计算明细 of the answer, closed with Escape, and
# 费率设置, where the itemised fees are chosen and confirmed with 确定. The main window then
# greys out its per-mille fee field and says which fees it charges.
client_size() { # of the window $1: WIDTHxHEIGHT
    local geometry
    geometry=$(x xwininfo -id "$1")
    echo "$(sed -n 's/^ *Width: //p' <<<"$geometry")x$(sed -n 's/^ *Height: //p' <<<"$geometry")"
}
open_modal() { # TITLE X Y WIDTH HEIGHT: clicks X, Y of the main window and waits for TITLE
    x xdotool mousemove --window "$id" "$(px "$2")" "$(px "$3")" click 1
    modal=$(ostrel_wait_window "^$1\$" 20) || fail "no window titled $1 after its button"
    sleep 1 # the first paint
    [ "$(client_size "$modal")" = "$(px "$4")x$(px "$5")" ] ||
        fail "$1: client area $(client_size "$modal"), expected $(px "$4")x$(px "$5")"
}
open_modal 计算明细 487 39 536 264
x import -window "$modal" "$out/detail-$dpi.png"
# 复制: the rows as plain text, the cells apart by tabs, for any program to paste: a heading
# row, then the sale's.
x xdotool mousemove --window "$modal" "$(px 386)" "$(px 238)" click 1
sleep 0.3
sale=$'卖出\t1900\t10.00\t19000.00\t19.00\t0.00\t0.00'
copied=$(clipboard) || fail "nothing on the clipboard after 复制"
copied_sale=$(sed -n 2p <<<"$copied" | tr -d '\r')
[ "$copied_sale" = "$sale" ] ||
    fail "复制 copied '$copied_sale' as the sale's row, not '$sale'"
x xdotool key --clearmodifiers Escape
ostrel_wait_window_gone '^计算明细$' || fail "Escape did not close 计算明细"
step "计算明细 opened, 复制 copied its rows, Escape closed it"

open_modal 费率设置 413 39 360 236
x import -window "$modal" "$out/settings-$dpi.png"
x xdotool mousemove --window "$modal" "$(px 60)" "$(px 44)" click 1
x xdotool mousemove --window "$modal" "$(px 138)" "$(px 210)" click 1
ostrel_wait_window_gone '^费率设置$' || fail "确定 did not close 费率设置"
sleep 0.5
x import -window "$id" "$out/itemised-$dpi.png"
step "费率设置 opened, the itemised fees chosen with 确定"

/usr/bin/python3 "$close_window" "$id"
status=0
ostrel_wait_ended "$program_pid" 30 || fail "the program did not end"
wait "$program_pid" || status=$?
program_pid=
[ "$status" = 0 ] || fail "the program ended with $status"
step "closed, exit 0"
