#!/usr/bin/env bash
# Takes the README's screenshots: builds the program and its tour, and runs
# the tour on the demo knowledge base under Xvfb. tools/screenshots.sh [out]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/docs/screenshots}
"$root/tools/setup.sh"
"$root/tools/build.sh" "$root/build" >/dev/null
cmake --build "$root/build" --target tovrek_tour >/dev/null
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" \
  "$root/build/tests/tovrek_tour" "$root/demo" "$out"
