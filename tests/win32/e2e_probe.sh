#!/usr/bin/env bash
# Drives toolkit_probe.exe with real X input (xdotool) inside a running Wine session and
# checks what it logged; takes screenshots. Usage: e2e_probe.sh PROBE.exe OUTPUT_DIR
# Prints one line per check and "e2e: N passed, N failed" at the end; fails if any failed.
set -uo pipefail
probe=$1
out=$2
log="$out/probe.log"
passed=0
failed=0

check() {  # check DESCRIPTION PATTERN: the log has a line matching the pattern
  if grep -qE -- "$2" "$log"; then
    passed=$((passed + 1)); echo "ok   $1"
  else
    failed=$((failed + 1)); echo "FAIL $1 (no line matching: $2)"
  fi
}
check_absent() {
  if grep -qE -- "$2" "$log"; then
    failed=$((failed + 1)); echo "FAIL $1 (unexpected line matching: $2)"
  else
    passed=$((passed + 1)); echo "ok   $1"
  fi
}
wait_for() {  # wait_for PATTERN SECONDS
  local tries=$(( $2 * 10 ))
  while [ $tries -gt 0 ]; do
    grep -qE -- "$1" "$log" 2>/dev/null && return 0
    sleep 0.1; tries=$((tries - 1))
  done
  return 1
}
place() { grep -E "place $1 " "$log" | head -1 | awk '{print $4, $5}'; }
click_on() { read -r x y <<<"$(place "$1")"; xdotool mousemove "$x" "$y" click 1; sleep 0.5; }

: >"$log"
started=$(date +%s%N)
wine "$probe" "$(winepath -w "$log")" >"$out/probe.out" 2>&1 </dev/null &
probe_pid=$!
if ! wait_for " shown$" 120; then
  echo "FAIL the probe never showed its window"; cat "$out/probe.out"; exit 1
fi
shown=$(date +%s%N)
echo "start-up to a shown window: $(( (shown - started) / 1000000 )) ms (wine included)"
sleep 1
import -window root "$out/shown.png"

check "Created, then PositionChanged, then SizeChanged" "Created $"
check "the note box got the program's Chinese text" "TextChanged 编辑框注释 \[中文显示测试"
colours=$(convert "$out/shown.png" -format %k info:)
if [ "$colours" -gt 20 ]; then passed=$((passed + 1)); echo "ok   the screenshot shows a drawn window ($colours colours)"
else failed=$((failed + 1)); echo "FAIL the screenshot is nearly blank ($colours colours)"; fi

click_on 编辑框扩展名
xdotool type --delay 80 "abX"
sleep 0.5
check "typing raises one TextChanged per character" "TextChanged 编辑框扩展名 \[ab\]"
check "key presses carry their codes" "KeyDown 65/0 编辑框扩展名"
check "a consumed key (Shift+X) reaches the handler" "KeyDown 88/2 编辑框扩展名"
check_absent "a consumed key never reaches the box" "TextChanged 编辑框扩展名 \[abX\]"
check "key releases are reported" "KeyUp 66/0 编辑框扩展名"

xdotool key Tab
sleep 0.3
xdotool key Return
sleep 0.5
check "Tab goes from the extension box to the add button; Enter presses it" "Clicked 按钮添加"
xdotool key alt+s
sleep 0.5
check "Alt with a marked letter presses its button" "Clicked 按钮删除"
click_on 按钮修改
check "a mouse click presses a button" "Clicked 按钮修改"
click_on 超级链接框网页版百科
check "a click on the hyperlink presses it" "LinkPressed 超级链接框网页版百科"
click_on 编辑框注释
xdotool key ctrl+End
xdotool type --delay 50 "hi"
sleep 0.5
check "typing into the note box" "TextChanged 编辑框注释 \[.*hi\]"
import -window root "$out/typed.png"

xdotool key alt+F4
for _ in $(seq 1 100); do kill -0 "$probe_pid" 2>/dev/null || break; sleep 0.1; done
check "closing asks CanBeClosed" "CanBeClosed $"
check "then raises WillBeDestroyed" "WillBeDestroyed $"
check "and the event loop ends with the last window" "loop ended"
if kill -0 "$probe_pid" 2>/dev/null; then
  failed=$((failed + 1)); echo "FAIL the probe is still running after its window closed"; kill "$probe_pid"
else
  wait "$probe_pid"; code=$?
  if [ "$code" -eq 0 ]; then passed=$((passed + 1)); echo "ok   exit code 0"
  else failed=$((failed + 1)); echo "FAIL exit code $code"; fi
fi
echo "e2e: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
