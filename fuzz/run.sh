#!/usr/bin/env bash
# Builds the fuzz targets (preset "fuzz", build/fuzz) and runs each for
# SECONDS seconds on a copy of its seed corpus, so the repository is not
# touched. Prints one line per target and exits non-zero when any target
# found a crash, a leak, a timeout or a sanitizer report; the inputs that
# caused them are kept and their paths printed.
#   fuzz/run.sh SECONDS [TARGET...]    targets: tool_settings builder_script
#                                      srecord_images memory_usage batch_line
#                                      assembler_source object_module path_rule
#                                      simulator_stream test_file
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:?usage: fuzz/run.sh SECONDS [TARGET...]}
shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(tool_settings builder_script srecord_images memory_usage batch_line
                                     assembler_source object_module path_rule simulator_stream
                                     test_file)

scripts/install-deps cmake ninja-build clang-14 clang libclang-rt-14-dev llvm

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target fuzz_targets

# Images and S-record sets need room to reach the 32,768-byte limit.
max_len() {
  case "$1" in
    memory_usage) echo 40000 ;;
    srecord_images) echo 16384 ;;
    *) echo 4096 ;;
  esac
}

work=$(mktemp -d /tmp/cuffware-fuzz.XXXXXX)
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
total_findings=0
report=()
for target in "${targets[@]}"; do
  corpus="$work/$target/corpus"
  artifacts="$work/$target/artifacts"
  mkdir -p "$corpus" "$artifacts"
  cp fuzz/corpus/"$target"/* "$corpus"/
  log="$work/$target/fuzz.log"
  set +e
  build/fuzz/bin/"$target"_fuzz "$corpus" -max_total_time="$seconds" -print_final_stats=1 \
    -max_len="$(max_len "$target")" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$artifacts"/ >"$log" 2>&1
  status=$?
  set -e
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  findings=$(find "$artifacts" -type f | wc -l)
  # A sanitizer report without an artifact (the run ended otherwise) counts too.
  if [ "$findings" -eq 0 ] && [ "$status" -ne 0 ]; then findings=1; fi
  total_findings=$((total_findings + findings))
  line="$target: ${executions:-0} executions in ${seconds} s, corpus $(ls "$corpus" | wc -l) inputs, $findings findings"
  if [ "$findings" -gt 0 ]; then
    line+=" (log $log"
    for artifact in "$artifacts"/*; do [ -e "$artifact" ] && line+=", $artifact"; done
    line+=")"
  fi
  report+=("$line")
  echo "$line"
done

echo
echo "== fuzzing summary =="
printf '%s\n' "${report[@]}"
if [ "$total_findings" -gt 0 ]; then
  echo "$total_findings findings; inputs and logs kept in $work"
  exit 1
fi
rm -rf "$work"
