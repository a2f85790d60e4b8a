#!/usr/bin/env bash
# Sets up, builds and starts Tovrek on the demo knowledge base. The program
# works in its current folder, so the demo is copied to a writable one
# (run/ in the checkout) unless that folder is already there.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh"
"$root/tools/build.sh" "$root/build"
work=$root/run
if [ ! -d "$work" ]; then
  cp -r "$root/demo" "$work"
fi
cd "$work"
exec "$root/build/src/tovrek"
