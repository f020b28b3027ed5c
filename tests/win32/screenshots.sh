#!/usr/bin/env bash
# Screenshots of the real VornelExt.exe under Wine and Xvfb, run by hand:
#   docs/screenshot-main.png   the main window with a small database, 't' typed, the match list shown
#   docs/screenshot-input.png  the import window (Alt+R presses 按钮导入)
# Also prints the .exe's size and its start-up time to a shown main window.
# Needs the build of scripts/test.d/50-wine (build/win32), xdotool and ImageMagick's import.
set -euo pipefail
cd "$(dirname "$0")/../.."
if [ -z "${EXTDICT_UNDER_XVFB:-}" ]; then
  exec env EXTDICT_UNDER_XVFB=1 xvfb-run -a -s "-screen 0 1920x1080x24" "$0" "$@"
fi
build=build/win32
exe="$build/src/toolkit/win32/VornelExt.exe"
player="$build/tests-win32/scenario_player_win32.exe"
source tests/win32/wine_session.sh
wine_session_start
# Without a window manager under Xvfb, Wine draws the frames and captions itself when its
# windows are not managed, so the pictures show the whole window.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
# Wine draws captions in Tahoma, which has no Chinese; Windows links it to a Chinese font,
# here the one Wine has (WenQuanYi Micro Hei).
wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
  /v Tahoma /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1 </dev/null
folder="$WINE_SESSION_DIR/program"
mkdir -p "$folder"
cp "$exe" "$folder/"
wine "$player" --set-up tests/win32/screenshot-records.scn "$(winepath -w "$folder")" </dev/null 2>/dev/null

# The window's title starts with the program's name; wait until it is shown.
started=$(date +%s.%N)
wine "$folder/VornelExt.exe" </dev/null >/dev/null 2>&1 &
program=$!
main=$(xdotool search --sync --onlyvisible --name "^Vornel" | head -1)
shown=$(date +%s.%N)
sleep 1
xdotool windowactivate --sync "$main" 2>/dev/null || xdotool windowfocus --sync "$main"
xdotool type --delay 100 t
sleep 1
import -window "$main" docs/screenshot-main.png

xdotool key alt+r
input=$(xdotool search --sync --onlyvisible --name "^导入" | head -1 || true)
[ -n "$input" ] || input=$(xdotool getactivewindow)
sleep 1
import -window "$input" docs/screenshot-input.png

echo "VornelExt.exe: $(stat -c %s "$exe") bytes; shown $(echo "$shown - $started" | bc) s after its start"
kill "$program" 2>/dev/null || true
