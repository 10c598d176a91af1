#!/usr/bin/env bash
# Runs a fuzzer for a while: fuzz/run.sh <build-dir> <seconds> [packet|csv].
# The seeds in fuzz/corpus (packets) or fuzz/corpus-csv are only read; what
# the fuzzer adds goes into <build-dir>/fuzz-corpus[-csv], findings into
# <build-dir>/fuzz-findings, and the log (with the final statistics) into
# <build-dir>/fuzz.log or fuzz-csv.log.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:?build directory}" && pwd)
seconds=${2:-900}
target=${3:-packet}
if [ "$target" = csv ]; then
    suffix=-csv
    dict=()
else
    suffix=
    dict=(-dict="$root/fuzz/packet.dict")
fi
mkdir -p "$build/fuzz-corpus$suffix" "$build/fuzz-findings"
"$build/fuzz/${target}_fuzzer" \
    "${dict[@]}" \
    -max_total_time="$seconds" \
    -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 \
    -artifact_prefix="$build/fuzz-findings/" \
    "$build/fuzz-corpus$suffix" "$root/fuzz/corpus$suffix" 2>&1 | tee "$build/fuzz$suffix.log" | grep -E '^#[0-9]+ +(pulse|DONE)|ERROR|SUMMARY|^stat::' || true
