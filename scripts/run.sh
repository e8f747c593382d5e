#!/usr/bin/env bash
# Sets everything up, builds, and runs the window on the built-in simulated
# control unit. Arguments go to the program (for example CESKY).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No desktop display (DISPLAY is not set): run this from a desktop session." >&2
  echo "Without a desktop: xvfb-run -a build/src/app/kestrin --simulate" >&2
  exit 1
fi
exec build/src/app/kestrin --simulate "$@"
