#!/usr/bin/env bash
# Installs what the build and tests need, builds everything with the sanitizers and
# warnings as errors, and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh

# House style: every source file as clang-format writes it.
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror

build=build/ci
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTKD_SANITIZE=ON -DTKD_WERROR=ON >/dev/null
cmake --build "$build"

# The core must never reach the widgets: its tests link the core alone.
if readelf -d "$build/tests/tkd_core_tests" | grep -E 'libQt6(Gui|Widgets|PrintSupport)' ; then
  echo "tkd_core pulls in a GUI library" >&2
  exit 1
fi

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" --output-on-failure -j2
