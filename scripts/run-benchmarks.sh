#!/usr/bin/env bash
# Runs every benchmark executable of a build, pinned to one core so that runs compare,
# and prints the median of five repetitions of each benchmark.
set -euo pipefail

build_dir=${1:?usage: scripts/run-benchmarks.sh BUILD_DIR}
mapfile -t executables < <(find "$build_dir/bench" -type f -executable -name 'bench_*' 2>/dev/null | sort)
if [ ${#executables[@]} -eq 0 ]; then
    echo "run-benchmarks: no bench_* executables under $build_dir/bench (build first)" >&2
    exit 1
fi

pin=()
if command -v taskset >/dev/null && taskset -c 0 true 2>/dev/null; then
    pin=(taskset -c 0)
else
    echo "run-benchmarks: taskset unavailable, running unpinned" >&2
fi

for executable in "${executables[@]}"; do
    echo "== $(basename "$executable") (median of 5, one core)"
    output=$("${pin[@]}" "$executable" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>/dev/null)
    # Skipped benchmarks report their reason instead of aggregates.
    grep -E '^Benchmark|_median|ERROR OCCURRED' <<<"$output" || true
done

# A search among many stored gestures splits among the processors the process may use,
# so it is measured on all of them as well.
core="$build_dir/bench/core/bench_core"
if [ -x "$core" ]; then
    echo "== $(basename "$core") (median of 5, all $(nproc) cores)"
    output=$("$core" --benchmark_filter='Among1024' --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>/dev/null)
    grep -E '^Benchmark|_median|ERROR OCCURRED' <<<"$output" || true
fi
