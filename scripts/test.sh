#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: in a
# normal build and with AddressSanitizer and UndefinedBehaviorSanitizer;
# then the tests of the worker threads under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

echo "== format =="
# The committed style (.clang-format); any difference fails the run.
git ls-files -z --cached --others --exclude-standard -- 'src/*.cpp' 'src/*.h' 'tools/*.cpp' 'tools/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h' |
  xargs -0 clang-format --dry-run --Werror

echo "== normal build =="
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== Debian package =="
# Built from the normal build, validated, unpacked and started headless.
tests/package/run_package_test.sh build

echo "== web page =="
# The site built once with emscripten, then played in headless Chromium;
# its saves are compared with the normal build's pakkon-tool.
web_start=$(date +%s)
scripts/web.sh build
PAKKON_WEB_BUILD=build-web PAKKON_TOOL=$PWD/build/pakkon/pakkon-tool /usr/bin/python3 -m unittest -v tests/web/test_page.py
echo "web stage: $(($(date +%s) - web_start)) s"

echo "== sanitizer build =="
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPAKKON_SANITIZE=ON -DPAKKON_BENCH=OFF >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"
echo "== thread sanitizer =="
# The jobs themselves, and the window's tests where the finish check, the
# hint, the generator and the list's rating run as jobs. Qt's own calls are
# left out (tests/tsan.supp); any other report fails the test it comes from.
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPAKKON_TSAN=ON -DPAKKON_BENCH=OFF >/dev/null
cmake --build build-tsan -j "$jobs" --target pakkon_gui_tests pakkon_core_tests
TSAN_OPTIONS="suppressions=$PWD/tests/tsan.supp halt_on_error=1 second_deadlock_stack=1" \
  ctest --test-dir build-tsan --output-on-failure --no-tests=error -j "$jobs" -R '^(Hints|PuzzleListTest|Jobs)\.'
echo "== fuzzing =="
# Each harness runs for a short, bounded time from the seeds in the
# repository; new inputs go to a scratch corpus, crashes to build-fuzz/.
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPAKKON_FUZZ=ON >/dev/null
cmake --build build-fuzz -j "$jobs"
for target in puzzle_file settings puzzle_text; do
  scratch=$(mktemp -d)
  rm -f build-fuzz/crash-$target-*
  build-fuzz/tests/fuzz/fuzz_$target -max_total_time="${PAKKON_FUZZ_SECONDS:-20}" -max_len=8192 \
    -artifact_prefix=build-fuzz/crash-$target- -print_final_stats=1 "$scratch" tests/fuzz/corpus/$target 2>&1 |
    grep -E '^(stat::number_of_executed_units|stat::average_exec_per_sec|==|SUMMARY|Done)' || true
  rm -rf "$scratch"
  if ls build-fuzz/crash-$target-* >/dev/null 2>&1; then
    echo "fuzz_$target found a crash: see build-fuzz/crash-$target-*"
    exit 1
  fi
done
echo "All tests passed in both builds and under ThreadSanitizer; the fuzzers found nothing."
