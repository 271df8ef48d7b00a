#!/usr/bin/env bash
# Converts the same S-record files with srec_cat, GNU objcopy and the
# builder's S2 reader (package_bench --convert), checks that all three give
# back the original bytes, and prints each one's throughput and how many
# times faster the builder's reader is.
#
# Usage: bench/compare-srec.sh [PACKAGE_BENCH] [SIZE...]
#   PACKAGE_BENCH  default build/release/bin/package_bench (release preset)
#   SIZE           data bytes per test file; default 32768 4194304
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
bench=${1:-$here/../build/release/bin/package_bench}
shift || true
sizes=("$@")
[[ $# -eq 0 ]] && sizes=(32768 4194304)
runs=7

[[ -x $bench ]] || { echo "no $bench: build the release preset first" >&2; exit 1; }
"$here/../scripts/install-deps" srecord binutils
command -v objcopy >/dev/null || { echo "objcopy (binutils) is missing" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The best wall time of $runs runs, in nanoseconds.
best_time() {
    local best= start end
    for _ in $(seq "$runs"); do
        start=$(date +%s%N)
        "$@" >/dev/null
        end=$(date +%s%N)
        if [[ -z $best || $((end - start)) -lt $best ]]; then best=$((end - start)); fi
    done
    echo "$best"
}

printf '%-10s %12s %12s %12s %12s %10s %10s\n' \
    "data" "sre bytes" "srec_cat" "objcopy" "ours" "vs srec" "vs objc"
for size in "${sizes[@]}"; do
    head -c "$size" /dev/urandom >"$work/in.bin"
    objcopy -I binary -O srec --change-addresses 0x10000 "$work/in.bin" "$work/in.sre"
    srec=$(best_time srec_cat "$work/in.sre" -offset -0x10000 -o "$work/srec_cat.bin" -binary)
    objc=$(best_time objcopy -I srec -O binary "$work/in.sre" "$work/objcopy.bin")
    ours=$(best_time "$bench" --convert "$work/in.sre" "$work/ours.bin")
    for out in srec_cat objcopy ours; do
        cmp -s "$work/in.bin" "$work/$out.bin" || { echo "$out gave different bytes" >&2; exit 1; }
    done
    text=$(stat -c %s "$work/in.sre")
    awk -v n="$size" -v t="$text" -v s="$srec" -v o="$objc" -v u="$ours" 'BEGIN {
        printf "%-10d %12d %7.1f MB/s %7.1f MB/s %7.1f MB/s %9.1fx %9.1fx\n",
            n, t, t / s * 1000, t / o * 1000, t / u * 1000, s / u, o / u
    }'
done
echo "(MB/s of S-record text per process run, best of $runs; each includes process start and file I/O)"
