#!/usr/bin/env bash
# Sets up, builds and runs every test headless, in both variants of the
# program (local and school); then once more with AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh"
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

run_suite() {
  local build=$1
  shift
  echo "== $(basename "$build")"
  "$root/tools/build.sh" "$build" -DTOVREK_WARNINGS_AS_ERRORS=ON "$@"
  (cd "$build" && ctest --output-on-failure --parallel "$jobs")
}

run_suite "$root/build"
run_suite "$root/build-school" -DTOVREK_SCHOOL_VERSION=ON -DTOVREK_BUILD_BENCH=OFF

if [ "${TOVREK_SKIP_SANITIZERS:-0}" != "1" ]; then
  export ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS="suppressions=$root/tools/lsan.supp"
  run_suite "$root/build-sanitize" -DTOVREK_SANITIZE=ON -DTOVREK_BUILD_BENCH=OFF
fi
