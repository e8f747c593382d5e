#!/usr/bin/env bash
# Renders the main window on the simulated unit into docs/screenshots/: the
# "Monitor" page in each language at 1366 x 768, and the English one at
# 1920 x 1080. Runs the window under Xvfb with its own settings folder.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${BUILD_DIR:-build}
if [ ! -x "$build/src/app/kestrin" ]; then
  cmake -S . -B "$build" -G Ninja > /dev/null
  cmake --build "$build" -j2 --target kestrin
fi
out=docs/screenshots
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

shot() {  # language screen-size file
  local language=$1 size=$2 file=$3
  local w=${size%x*} h=${size#*x}
  rm -rf "$work/config" && mkdir -p "$work/config"
  # Start on the "Monitor" page, as a technician who watches the engine would.
  printf '[BASIC]\r\nPageControl1->ActivePageIndex=18\r\n' > "$work/config/Kestrin_2007_v82.ini"
  xvfb-run -a -s "-screen 0 ${w}x${h}x24" \
    "$build/src/app/kestrin" "$language" --simulate --config-dir "$work/config" \
    --screenshot "$out/$file" --size "${w}x$((h - 28))" 2> /dev/null
  echo "$out/$file"
}

shot ENGLISH 1366x768 monitor_en_1366x768.png
shot DEUTSCH 1366x768 monitor_de_1366x768.png
shot FRENCH 1366x768 monitor_fr_1366x768.png
shot CESKY 1366x768 monitor_cz_1366x768.png
shot ENGLISH 1920x1080 monitor_en_1920x1080.png
