#!/usr/bin/env bash
# Draws every window of the family under Xvfb and keeps one picture of each program in
# screenshots/ (the rest stay in build/screenshots for looking at a change).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh"
"$top/scripts/build.sh" release
out="$top/build/screenshots"
rm -rf "$out"
QT_QPA_PLATFORM=xcb xvfb-run -a -s '-screen 0 1280x800x24' "$top/build/release/tools/screenshots" "$out"
mkdir -p "$top/screenshots"
cp "$out/datevexlo-list.png" "$top/screenshots/DateVexlo.png"
cp "$out/vexlo-running.png" "$top/screenshots/Vexlo.png"
convert "$out/fullscreen-larger.png" -resize 50% "$top/screenshots/FullScreenVexlo.png"
[ -f "$out/pellum-running.png" ] && cp "$out/pellum-running.png" "$top/screenshots/Pellum.png"
ls "$top/screenshots"
