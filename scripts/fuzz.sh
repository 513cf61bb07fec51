#!/usr/bin/env bash
# Fuzzes the layout reader natively with libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer:
#   scripts/fuzz.sh [runs] [build-root]     (runs: 1000000 unless given)
# First replays every input in tests/fuzz/layout-regressions (inputs that once failed), then
# runs that many generated inputs from the seeds. A failing input is left in
# <build-root>/fuzz/artifacts; copy it into tests/fuzz/layout-regressions with the fix.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-1000000}
out=${2:-$root/build}/fuzz
mkdir -p "$out/corpus" "$out/artifacts"

clang++-14 -std=c++17 -g -O1 -Wall -Wextra -Werror \
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    -I "$root/src/floor" -I "$root/src/pagelist" \
    "$root/tests/fuzz/LayoutTextFuzz.cpp" "$root/src/floor/LayoutText.cpp" "$root/src/pagelist/RowText.cpp" \
    -o "$out/layout_fuzz"

shopt -s nullglob
regressions=("$root"/tests/fuzz/layout-regressions/*)
if [ ${#regressions[@]} -gt 0 ]; then
  "$out/layout_fuzz" "${regressions[@]}" > "$out/replay.log" 2>&1 \
    || { cat "$out/replay.log"; echo "layout fuzz: a kept input fails again"; exit 1; }
fi

"$out/layout_fuzz" -runs="$runs" -dict="$root/tests/fuzz/layout.dict" -max_len=4096 -timeout=10 \
    -artifact_prefix="$out/artifacts/" -print_final_stats=1 \
    "$out/corpus" "$root/tests/fuzz/layout-seeds" > "$out/fuzz.log" 2>&1 \
  || { tail -40 "$out/fuzz.log"; echo "layout fuzz: failed, input kept in $out/artifacts"; exit 1; }
done_runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$out/fuzz.log")
echo "layout fuzz: ${done_runs:-?} inputs, ${#regressions[@]} kept inputs replayed, no failure"
