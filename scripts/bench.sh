#!/usr/bin/env bash
# Times the batch run over a generated folder of 200 data files x 32767 rows (two heading lines,
# tab-separated, CR LF) against an awk program doing the same extraction and against `cat` of the
# same files, all single-threaded and from the page cache (best of 3 each). Checks that both
# summaries are byte for byte the same, and that peak memory does not grow with the number of
# files. The folder is generated once into build-bench/data (never committed).
set -euo pipefail
cd "$(dirname "$0")/.."
dir=build-bench
data=$dir/data
files=200
rows=32767
lo=1000
hi=2000
awk_bin=${AWK:-mawk}

cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DTORVANE_BENCHMARKS=ON >/dev/null
cmake --build "$dir" --target torvane_bench >/dev/null

if [ ! -f "$data/$files.txt" ]; then
  echo "Generating $files files x $rows rows into $data ..."
  mkdir -p "$data"
  "$awk_bin" -v files="$files" -v rows="$rows" -v dir="$data" 'BEGIN {
    srand(7)
    for (f = 1; f <= files; f++) {
      out = dir "/" f ".txt"
      printf "Spectrum %d\r\nWavelength (nm)\tIntensity\r\n", f > out
      for (r = 0; r < rows; r++) {
        printf "%.4f\t%.6f\r\n", 200 + r * 0.061, 1000 * rand() - 100 * (r % 7) > out
      }
      close(out)
    }
  }'
fi

list=$(ls "$data" | sort -n | sed "s|^|$data/|")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The same extraction in awk: skip two heading lines, split at the first byte outside "!".."z",
# keep the last row with the largest Y among rows with lo <= X <= hi.
extract_awk='
function emit() {
  if (name == "") return
  base = name; sub(/^.*\//, "", base); base = substr(base, 1, length(base) - 4)
  printf "%s\t%s\r\n", base, best
}
FNR == 1 { emit(); name = FILENAME; best = ""; have = 0 }
FNR > 2 && match($0, /[^!-z]/) {
  x = substr($0, 1, RSTART - 1); y = substr($0, RSTART + 1); xv = x + 0; yv = y + 0
  if (xv >= lo && xv <= hi && (!have || yv >= m)) { have = 1; m = yv; best = x "\t" y }
}
END { emit() }'

now() { date +%s.%N; }
best_of_3() {
  local best="" start end t
  for _ in 1 2 3; do
    start=$(now)
    "$@" >/dev/null
    end=$(now)
    t=$(echo "$end - $start" | bc -l)
    if [ -z "$best" ] || [ "$(echo "$t < $best" | bc -l)" = 1 ]; then best=$t; fi
  done
  echo "$best"
}
run_cat() { xargs cat <<<"$list" >/dev/null; }
run_awk() {
  xargs "$awk_bin" -v RS='\r\n' -v lo="$lo" -v hi="$hi" "$extract_awk" <<<"$list" \
    >"$work/awk.txt"
}
run_ours() { "$dir/bench/torvane_bench" "$data" 2 "$lo" "$hi" "$work/ours"; }

run_cat  # warm the page cache
t_cat=$(best_of_3 run_cat)
t_awk=$(best_of_3 run_awk)
t_ours=$(best_of_3 run_ours)

if ! cmp -s "$work/awk.txt" "$work/ours.txt"; then
  echo "The summaries of awk and the batch run differ:" >&2
  diff <(head -5 "$work/awk.txt" | od -c) <(head -5 "$work/ours.txt" | od -c) >&2 || true
  exit 1
fi

rss_10=$("$dir/bench/torvane_bench" "$data" 2 "$lo" "$hi" "$work/ten" 10 | sed 's/.*peak_rss_kib=//')
rss_all=$("$dir/bench/torvane_bench" "$data" 2 "$lo" "$hi" "$work/all" | sed 's/.*peak_rss_kib=//')

total=$((files * rows))
printf 'rows:           %d (%d files x %d)\n' "$total" "$files" "$rows"
printf 'batch run:      %.3f s  %.1f million rows/s\n' "$t_ours" "$(echo "$total / $t_ours / 1000000" | bc -l)"
printf 'awk (%s):     %.3f s  batch run is %.1fx as fast\n' "$awk_bin" "$t_awk" "$(echo "$t_awk / $t_ours" | bc -l)"
printf 'cat:            %.3f s  batch run takes %.1fx as long\n' "$t_cat" "$(echo "$t_ours / $t_cat" | bc -l)"
printf 'peak memory:    %d KiB for 10 files, %d KiB for %d files\n' "$rss_10" "$rss_all" "$files"
echo "Summaries of awk and the batch run are identical."
