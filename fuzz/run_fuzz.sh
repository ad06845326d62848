#!/usr/bin/env bash
# Runs the BMP reader's fuzz target, seeded with the crafted files in
# fuzz/corpus and the generated textures, on a scratch copy of the seeds:
#   fuzz/run_fuzz.sh BUILD_DIR [libFuzzer options, e.g. -runs=10000000]
# A finding is kept as BUILD_DIR/fuzz/crash-* and fails the run.
set -euo pipefail
build=$(cd "$1" && pwd)
shift
seeds=$(dirname "$0")/corpus
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$seeds"/* "$build"/run/*.bmp "$work"/
start=$SECONDS
status=0
ASAN_OPTIONS=detect_leaks=0 "$build/fuzz/fuzz_bmp" -rss_limit_mb=2048 -max_len=8192 \
    -artifact_prefix="$build/fuzz/" -print_final_stats=1 "$@" "$work" >"$work.log" 2>&1 || status=$?
grep -E '^#[0-9]+[[:space:]]+DONE|^Done|stat::number_of_executed_units|stat::average_exec_per_sec' "$work.log" || tail -30 "$work.log"
echo "wall time: $((SECONDS - start)) s, findings: $([ $status = 0 ] && echo none || echo "see $build/fuzz/crash-*")"
rm -f "$work.log"
exit $status
