#!/usr/bin/env bash
# Builds the libFuzzer harnesses in build-fuzz, replays every input kept in fuzz/regressions,
# then runs each harness for the given time: scripts/fuzz.sh [seconds per harness] [harness...]
# New inputs collect in build-fuzz/corpus/<harness> (the seeds in fuzz/corpus stay as they are);
# an input that breaks a harness is saved in build-fuzz/crashes/<harness>/ and ends the run.
set -euo pipefail
shopt -s nullglob
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds=${1:-600}
shift || true
harnesses=("$@")
[ ${#harnesses[@]} -gt 0 ] || harnesses=(link_reply ini_profile monitor_format value_conversion grid_paste port_records)

"$root/scripts/install-deps.sh"
"$root/scripts/install-fuzz-deps.sh"
build="$root/build-fuzz"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DVELMORA_FUZZ=ON >/dev/null
ninja -C "$build" -j2

passed=0
failed=0
for harness in "${harnesses[@]}"; do
  program="$build/fuzz/fuzz_$harness"
  log="$build/fuzz_$harness.log"
  mkdir -p "$build/corpus/$harness" "$build/crashes/$harness"
  regressions=("$root/fuzz/regressions/$harness"/*)
  if [ ${#regressions[@]} -gt 0 ] && ! "$program" "${regressions[@]}" >"$log" 2>&1; then
    echo "fuzz_$harness: a kept regression input fails again"
    tail -n 30 "$log"
    failed=$((failed + 1))
    continue
  fi
  if "$program" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$build/crashes/$harness/" \
    "$build/corpus/$harness" "$root/fuzz/corpus/$harness" >"$log" 2>&1; then
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "fuzz_$harness: regression inputs replayed: ${#regressions[@]}; $executions executions in ${seconds} s, nothing found"
    passed=$((passed + 1))
  else
    echo "fuzz_$harness: failed; the input is in $build/crashes/$harness/"
    grep -E "property broken|ERROR|SUMMARY|runtime error" "$log" | head -n 10 || tail -n 30 "$log"
    failed=$((failed + 1))
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
