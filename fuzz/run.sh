#!/usr/bin/env bash
# Runs the packet fuzzer for a while: fuzz/run.sh <build-dir> <seconds>.
# The seeds in fuzz/corpus are only read; what the fuzzer adds goes into
# <build-dir>/fuzz-corpus, findings into <build-dir>/fuzz-findings, and the
# log (with the final statistics) into <build-dir>/fuzz.log.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:?build directory}" && pwd)
seconds=${2:-900}
mkdir -p "$build/fuzz-corpus" "$build/fuzz-findings"
"$build/fuzz/packet_fuzzer" \
    -dict="$root/fuzz/packet.dict" \
    -max_total_time="$seconds" \
    -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 \
    -artifact_prefix="$build/fuzz-findings/" \
    "$build/fuzz-corpus" "$root/fuzz/corpus" 2>&1 | tee "$build/fuzz.log" | grep -E '^#[0-9]+ +(pulse|DONE)|ERROR|SUMMARY|^stat::' || true
