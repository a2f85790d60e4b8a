#!/usr/bin/env bash
# Sets up, builds and runs every test headless; then once more with
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh"
export QT_QPA_PLATFORM=offscreen

"$root/tools/build.sh" "$root/build"
(cd "$root/build" && ctest --output-on-failure --parallel "$(nproc)")

if [ "${TOVREK_SKIP_SANITIZERS:-0}" != "1" ]; then
  "$root/tools/build.sh" "$root/build-sanitize" -DTOVREK_SANITIZE=ON -DTOVREK_BUILD_BENCH=OFF
  (cd "$root/build-sanitize" && ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS="suppressions=$root/tools/lsan.supp" \
    ctest --output-on-failure --parallel "$(nproc)")
fi
