#!/usr/bin/env bash
# Builds the libFuzzer target over Calculate with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer), replays the seed corpus, then fuzzes.
#   scripts/fuzz.sh [SECONDS]       default 60
# Fails on any crash, hang (over 1 s for one input), leak or sanitizer report;
# the input that caused it stays in build/fuzz/artifacts/. New inputs found
# while fuzzing go to build/fuzz/work/, never into the committed corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
out=build/fuzz
mkdir -p "$out/obj" "$out/work" "$out/artifacts"

cxx=${CXX_FUZZ:-clang++}
flags=(-std=c++20 -O1 -g -fno-omit-frame-pointer -ffp-contract=off -fsanitize=fuzzer-no-link,address,undefined
       -fno-sanitize-recover=all -I.)
objects=()
for src in parser/*.cpp ParserLib/*.cpp ParserFunctions/*.cpp tests/fuzz/FuzzCalculate.cpp; do
  obj="$out/obj/$(echo "$src" | tr '/' '_').o"
  if [ ! -e "$obj" ] || [ "$src" -nt "$obj" ] || [ -n "$(find parser ParserLib ParserFunctions -name '*.h' -newer "$obj" | head -n 1)" ]; then
    "$cxx" "${flags[@]}" -c "$src" -o "$obj" &
    # Two compilers at a time: the machine is shared.
    while [ "$(jobs -rp | wc -l)" -ge 2 ]; do wait -n; done
  fi
  objects+=("$obj")
done
wait
"$cxx" -fsanitize=fuzzer,address,undefined "${objects[@]}" -o "$out/fuzz_calculate"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
common=(-timeout=1 -rss_limit_mb=2048 -artifact_prefix="$out/artifacts/")

echo "== fuzz: replaying the seed corpus"
"$out/fuzz_calculate" "${common[@]}" -runs=0 tests/fuzz/corpus

echo "== fuzz: ${seconds} s"
"$out/fuzz_calculate" "${common[@]}" -max_total_time="$seconds" -print_final_stats=1 \
  "$out/work" tests/fuzz/corpus
echo "fuzz: no findings"
