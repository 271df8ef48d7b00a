#!/usr/bin/env bash
# Times our toolchain against GNU binutils for AVR (a comparable 8-bit
# target) on sources of the same shape that it generates: register loads, 8-
# and 16-bit immediates, memory operands, branches and calls to labels, data
# directives, 24 bytes of code per 10 lines. Prints each pair side by side
# with the median wall times and how many times slower ours is (below 1.00:
# ours is faster).
#
# Usage: bench/compare-gnu.sh [BIN] [LINES...]
#   BIN    our programs' directory, default build/release/bin (release preset)
#   LINES  source sizes in lines; default 10000 100000 1000000
# RUNS=N sets the runs per command (default 11). hyperfine times the pairs
# when it is installed; otherwise a loop of its own interleaves the two
# commands of a pair and takes each one's median.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
bin=$(cd "${1:-$here/../build/release/bin}" && pwd)
shift || true
sizes=("$@")
[[ $# -eq 0 ]] && sizes=(10000 100000 1000000)
runs=${RUNS:-11}

for tool in as88 lk88 lc88 dis88 cuffware; do
    [[ -x $bin/$tool ]] || { echo "no $bin/$tool: build the release preset first" >&2; exit 1; }
done
"$here/../scripts/install-deps" binutils-avr srecord
"$here/../scripts/install-deps" hyperfine 2>/dev/null || true

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Median wall time in milliseconds of each of two command texts, printed
# as "A B". Each text goes into a script of its own, run by bash.
median_pair() {
    printf 'cd %q\n%s\n' "$PWD" "$1" >"$work/a.sh"
    printf 'cd %q\n%s\n' "$PWD" "$2" >"$work/b.sh"
    if command -v hyperfine >/dev/null; then
        hyperfine -N --style none --warmup 2 --runs "$runs" --export-json "$work/h.json" \
            "bash $work/a.sh" "bash $work/b.sh" >/dev/null
        python3 -c 'import json,sys
r=json.load(open(sys.argv[1]))["results"]
print(" ".join("%.1f" % (x["median"]*1000) for x in r))' "$work/h.json"
        return
    fi
    local ta=() tb=() start
    for _ in $(seq "$runs"); do
        start=$(date +%s%N); bash "$work/a.sh" >/dev/null 2>&1; ta+=($(( $(date +%s%N) - start )))
        start=$(date +%s%N); bash "$work/b.sh" >/dev/null 2>&1; tb+=($(( $(date +%s%N) - start )))
    done
    printf '%s\n' "${ta[@]}" | sort -n | awk '{v[NR]=$1} END {printf "%.1f ", v[int((NR+1)/2)]/1e6}'
    printf '%s\n' "${tb[@]}" | sort -n | awk '{v[NR]=$1} END {printf "%.1f\n", v[int((NR+1)/2)]/1e6}'
}

row() {  # row WORK GNU-NAME GNU-COMMAND OUR-NAME OUR-COMMAND
    bash -c "$3" >/dev/null 2>&1 || { echo "$2 failed: $3" >&2; exit 1; }
    bash -c "$5" >/dev/null 2>&1 || { echo "$4 failed: $5" >&2; exit 1; }
    read -r gnu ours < <(median_pair "$3" "$5")
    awk -v w="$1" -v gn="$2" -v g="$gnu" -v on="$4" -v o="$ours" \
        'BEGIN {printf "%-34s %-14s %9.1f ms   %-9s %9.1f ms   %6.2f\n", w, gn, g, on, o, o / g}'
}

# Ten lines, 24 bytes of code, in each dialect; a new 64 KiB bank for ours
# every 20,000 lines (a section lies in one bank), a new module for both
# every 240,000 lines (as88 reads at most 262,144 lines of one source):
# tNN.asm and tNN.s.
generate() {  # generate LINES DIR
    awk -v n="$1" -v dir="$2" 'BEGIN {
        for (i = 0; i * 10 < n; ++i) {
            if (i % 24000 == 0) {
                part = sprintf("%02d", i / 24000)
                ours = dir "/t" part ".asm"; gnu = dir "/t" part ".s"
                print ".text" > gnu
            }
            if (i % 2000 == 0) {
                bank = sprintf("%02X", i / 2000 + 1)
                printf "\tDEFSECT \".b%s\",CODE AT 0%s0000h\n\tSECT \".b%s\"\n", bank, bank, bank > ours
            }
            printf "L%d:\n\tLD A,#12h\n\tLD HL,#1234h\n\tLD A,[1234h]\n\tLD [HL],A\n", i > ours
            printf "\tLD BA,[1234h]\n\tJRS NZ,L%d\n\tCARL L%d\n\tDB 1,2,3,4\n\tDW 5678h\n", i, i > ours
            printf "L%d:\n\tldi r16,0x12\n\tldi r30,lo8(0x1234)\n\tlds r16,0x1234\n\tst Z,r16\n", i > gnu
            printf "\tlds r24,0x1234\n\tbrne L%d\n\trcall L%d\n\t.byte 1,2,3,4\n\t.word 0x5678\n", i, i > gnu
        }
    }'
    # No memory regions: the image may be larger than any AVR part's flash.
    echo 'SECTIONS { .text 0 : { *(.text) } }' >"$2/flat.ld"
}

printf '%-34s %-14s %12s   %-9s %12s   %6s\n' "work" "GNU" "median" "ours" "median" "ours/GNU"
for lines in "${sizes[@]}"; do
    dir=$work/$lines
    mkdir -p "$dir"
    generate "$lines" "$dir"
    label=$(awk -v n="$lines" 'BEGIN {print (n >= 1000000 ? n / 1000000 "M" : n / 1000 "k")}')
    cd "$dir"
    gnu_as='for s in t*.s; do avr-as -o ${s%.s}.o $s || exit 1; done'
    our_as="for s in t*.asm; do $bin/as88 \$s || exit 1; done"
    row "assemble $label lines" avr-as "$gnu_as" as88 "$our_as"
    row "assemble+link+S-records $label" avr-as/ld/objcopy \
        "$gnu_as; avr-ld -T flat.ld -o t.elf t*.o && avr-objcopy -O srec t.elf g.sre" \
        as88/lk88/lc88 "$our_as; $bin/lk88 t*.obj -o t.out && $bin/lc88 t.out -o t.sre"
    if [[ $lines == "${sizes[-1]}" ]]; then
        row "link alone $label" avr-ld "avr-ld -T flat.ld -o t.elf t*.o" lk88 "$bin/lk88 t*.obj -o t.out"
        row "S-records alone $label" avr-objcopy "avr-objcopy -O srec t.elf g.sre" \
            lc88 "$bin/lc88 t.out -o t.sre"
    fi
    cd - >/dev/null
done

head -c 1048576 /dev/urandom >"$work/image.bin"
row "disassemble 1 MB" avr-objdump "avr-objdump -D -b binary -m avr $work/image.bin" \
    dis88 "$bin/dis88 $work/image.bin"

# cuffware all on the demo against a script making the same tool runs with
# GNU's tools: one assembly per source, a link, an S-record file, a map and
# symbol lists, and srec_cat making the download image.
demo=$work/demo
"$bin/cuffware" demo "$demo" >/dev/null
gnu=$work/gnu-all
mkdir -p "$gnu"
n=0
for source in "$demo"/drive_c/q740/app/demo/src/*.asm; do
    awk '/^[A-Za-z_][A-Za-z0-9_]*:/ {print "G" NR ":"} /^ / && NF {print " nop"}' \
        "$source" >"$gnu/m$n.s"
    n=$((n + 1))
done
cat >"$gnu/all.sh" <<EOF
cd $gnu
for m in m*.s; do avr-as -o \${m%.s}.o \$m; done
avr-ld -T $work/$lines/flat.ld -Map=g.map -o g.elf m*.o
avr-objcopy -O srec g.elf g.sre
avr-nm g.elf >g.sy
avr-nm -n g.elf >g.equ
avr-objdump -h g.elf >g.lst
avr-size g.elf >/dev/null
srec_cat g.sre -o g.bin -binary
EOF
all="WINEPREFIX=$demo $bin/cuffware --settings $demo/builder.ini all 'c:\\q740\\app\\demo\\build\\demo.scr'"
row "all on the demo" "GNU script" "bash $gnu/all.sh" cuffware "$all"
