#!/usr/bin/env bash
# Builds the libFuzzer target with clang (AddressSanitizer + UndefinedBehaviorSanitizer) and
# fuzzes the data file reader, the range search and the numeric conversions for SECONDS seconds
# (default 60). The corpus and any crashing inputs stay in build-fuzz/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
dir=build-fuzz

cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
  -DTORVANE_FUZZ=ON -DTORVANE_BENCHMARKS=OFF -DBUILD_TESTING=OFF >/dev/null
cmake --build "$dir" --target fuzz_reader

corpus=$dir/corpus
mkdir -p "$corpus" "$dir/artifacts"
# Seeds: heading count, flags, padding, range ends, then the file's bytes.
printf '\001\000\000\002\020head\r\n1.5\t2\r\n3 4\r\n-1e1|5\n' >"$corpus/seed-crlf"
printf '\000\001\003\000\010 1\t2\r\r\n7~8\n\n9,1;2\xb0\xa13' >"$corpus/seed-mixed"
printf '\002\000\000\200\177 +1.5e+2 \n- 1 2\n.5\n1.\n1e\n' >"$corpus/seed-numbers"

ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  "$dir/fuzz/fuzz_reader" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
  -artifact_prefix="$dir/artifacts/" -print_final_stats=1 "$corpus"
