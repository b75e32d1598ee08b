#!/usr/bin/env bash
# The checked run: builds the core library, the tests and the fuzz targets
# with clang, AddressSanitizer and UndefinedBehaviorSanitizer into
# build-sanitize/ (or $VANTOREL_SANITIZE_BUILD_DIR), runs the test suite
# there (the packaging checks excepted: they test the install, not the
# code), then every fuzz target for a bounded time on its seed corpus.
#
#   tools/run-sanitized.sh [SECONDS_PER_FUZZ_TARGET]   (default 30)
#
# Any memory error, leak or undefined behaviour fails the run. The only
# suppressions are for allocations inside Qt and the system libraries it
# loads (tools/sanitizers/lsan.supp) and one string check inside
# xkbcommon (tools/sanitizers/asan.supp); none name this project's code.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${VANTOREL_SANITIZE_BUILD_DIR:-$here/build-sanitize}
fuzz_seconds=${1:-30}

launcher=()
if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$here" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DVANTOREL_BUILD_FUZZERS=ON -DVANTOREL_BUILD_BENCHMARKS=OFF -DVANTOREL_BUILD_DEMOHOST=OFF "${launcher[@]}"
cmake --build "$build_dir" -j"$(nproc)"

# Qt is built without frame pointers: only the slow unwinder sees through
# it, and the suppressions need the whole stack of an allocation.
export ASAN_OPTIONS="suppressions=$here/tools/sanitizers/asan.supp:detect_leaks=1:fast_unwind_on_malloc=0:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$here/tools/sanitizers/lsan.supp:print_suppressions=0"

started=$(date +%s)
(cd "$build_dir" && xvfb-run -a ctest --output-on-failure -j"$(nproc)" -E '^packaging/' -LE '^window$')
# The window tests run whole Qt Quick pages: with the slow unwinder on every
# allocation they take hours. They run with the fast one, which cannot see
# through Qt's frames, so the leak check (done by every other test on the
# same code) is off for them; memory errors and undefined behaviour still
# fail them.
(cd "$build_dir" && ASAN_OPTIONS="${ASAN_OPTIONS/fast_unwind_on_malloc=0/fast_unwind_on_malloc=1}:detect_leaks=0" \
    xvfb-run -a ctest --output-on-failure -L '^window$')
echo "run-sanitized.sh: test suite under ASan + UBSan in $(($(date +%s) - started)) s"

seeds="$build_dir/fuzz-seeds"
rm -rf "$seeds"
"$build_dir/tests/fuzz/vantorel-fuzz-seeds" "$seeds"
for target in hostbytes settings ebcdic macro; do
    corpus="$build_dir/fuzz-corpus/$target"
    mkdir -p "$corpus"
    dict=()
    if [ -f "$here/tests/fuzz/$target.dict" ]; then
        dict=(-dict="$here/tests/fuzz/$target.dict")
    fi
    # The conversion and the settings are cheap to reach with short inputs
    # and slow with long ones (a table search per character, a file
    # written and read twice).
    case $target in
    ebcdic) max_len=512 ;;
    settings) max_len=4096 ;;
    *) max_len=8192 ;;
    esac
    started=$(date +%s)
    log="$build_dir/fuzz-$target.log"
    status=0
    "$build_dir/tests/fuzz/fuzz_$target" -max_total_time="$fuzz_seconds" -max_len="$max_len" -timeout=10 -rss_limit_mb=4096 \
        -print_final_stats=1 -artifact_prefix="$build_dir/fuzz-$target-" "${dict[@]}" "$corpus" "$seeds/$target" \
        >"$log" 2>&1 || status=$?
    if [ "$status" -ne 0 ]; then
        tail -n 60 "$log" >&2
        echo "run-sanitized.sh: fuzz_$target failed (exit $status); the input is in $build_dir/fuzz-$target-*" >&2
        exit 1
    fi
    grep -E '^stat::number_of_executed_units' "$log" || true
    echo "run-sanitized.sh: fuzz_$target ran ${fuzz_seconds} s (in $(($(date +%s) - started)) s)"
done
