#!/usr/bin/env bash
# Measures the batch run against the tools a lab might use instead, on generated folders kept in
# build-bench/ (never committed):
#
#   speed   200 data files x 32767 rows (about 136 MB): torvane-batch with one and two jobs, mawk
#           doing the same extraction, and a plain read-and-count-newlines C loop over the same
#           bytes; the tools alternate run by run, ROUNDS rounds (default 7), page-cached; CPU
#           time (user + system) and wall time, minimum and median. The summaries of awk and the
#           batch run must be byte for byte the same.
#   report  the same run with --report, one job: the cost of building the picture (the report
#           run's CPU time less the plain run's, against the plain run's) and the page's size.
#   window  the result window (Qt, on a virtual X display) on the same 200 files: building the
#           pictures, opening the window up to its first paint, drawing all 200 panels at once.
#   memory  peak memory for 10 and for 200 files; a 1 GB file without line breaks must be
#           refused promptly with bounded memory.
#   files   1,000 and 10,000 small files of 100 rows: the cost per file.
#
# Usage: scripts/bench.sh [ROUNDS]. Prints the machine's load first: the machine may be shared.
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-7}
dir=build-bench
awk_bin=${AWK:-mawk}

cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DTORVANE_BENCHMARKS=ON >/dev/null
cmake --build "$dir" --target torvane-batch torvane_measure torvane_count_newlines \
  torvane_chart_timing >/dev/null
batch=$dir/cli/torvane-batch
measure=$dir/bench/torvane_measure
count=$dir/bench/torvane_count_newlines

# generate FOLDER FILES ROWS: FILES data files of ROWS rows, two heading lines, tab, CR LF.
generate() {
  [ -f "$1/$2.txt" ] && return
  echo "Generating $2 files x $3 rows into $1 ..."
  mkdir -p "$1"
  "$awk_bin" -v files="$2" -v rows="$3" -v dir="$1" 'BEGIN {
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
}

data=$dir/data
generate "$data" 200 32767
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mapfile -t list < <(ls "$data" | sort -n | sed "s|^|$data/|")

# The same extraction in awk: skip two heading lines, split at the first byte outside "!".."z",
# keep the last row with the largest Y among rows with 1000 <= X <= 2000.
cat >"$work/extract.awk" <<'EOF'
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
END { emit() }
EOF

# run_tool TOOL CORE: one timed run; the one-thread tools on CPU core CORE.
run_tool() {
  local pin=(taskset -c "$2")
  case $1 in
    jobs1) "${pin[@]}" "$measure" "$batch" "$data" --heading 2 --from 1000 --to 2000 --jobs 1 -o "$work/ours.txt" ;;
    jobs2) "$measure" "$batch" "$data" --heading 2 --from 1000 --to 2000 --jobs 2 -o "$work/ours2.txt" ;;
    awk) "${pin[@]}" "$measure" "$awk_bin" -v RS='\r\n' -v lo=1000 -v hi=2000 -f "$work/extract.awk" \
      "${list[@]}" >"$work/awk.txt" ;;
    count) "${pin[@]}" "$measure" "$count" "${list[@]}" >/dev/null ;;
    report) "${pin[@]}" "$measure" "$batch" "$data" --heading 2 --from 1000 --to 2000 --jobs 1 \
      -o "$work/ours3.txt" --report "$work/report.html" ;;
  esac
}

echo "Machine: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"
cat "${list[@]}" >/dev/null  # into the page cache
# The tools take turns, each round in another order and on another core: the cores of a shared
# machine are not equally fast for every program.
tools=(jobs1 jobs2 awk count report)
cores=$(nproc)
for ((round = 0; round < rounds; round++)); do
  for ((k = 0; k < ${#tools[@]}; k++)); do
    tool=${tools[$(((k + round) % ${#tools[@]}))]}
    echo "$tool $(run_tool "$tool" $((round % cores)) 2>&1 >/dev/null)" >>"$work/times"
  done
done
cmp -s "$work/awk.txt" "$work/ours.txt" || { echo "awk and the batch run disagree" >&2; exit 1; }
cmp -s "$work/ours.txt" "$work/ours2.txt" || { echo "one and two jobs disagree" >&2; exit 1; }
cmp -s "$work/ours.txt" "$work/ours3.txt" || { echo "the report changed the summary" >&2; exit 1; }

# min and median of field F (wall or cpu) for TOOL.
stat() {
  grep "^$1 " "$work/times" | tr ' ' '\n' | sed -n "s/^$2=//p" | sort -n |
    awk '{ v[NR] = $1 } END { printf "%.3f %.3f", v[1], v[int((NR + 1) / 2)] }'
}
echo "Load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-26s %-17s %-17s\n' "200 x 32767 rows" "cpu min/median" "wall min/median"
for tool in "${tools[@]}"; do
  name=$tool
  case $tool in
    jobs1) name="batch run, 1 job" ;;
    jobs2) name="batch run, 2 jobs" ;;
    awk) name="$awk_bin" ;;
    count) name="read and count newlines" ;;
    report) name="batch run + --report" ;;
  esac
  read -r cmin cmed <<<"$(stat "$tool" cpu)"
  read -r wmin wmed <<<"$(stat "$tool" wall)"
  printf '%-26s %6.3f / %-8.3f %6.3f / %-8.3f\n' "$name" "$cmin" "$cmed" "$wmin" "$wmed"
  eval "cmin_$tool=$cmin c_$tool=$cmed wmin_$tool=$wmin w_$tool=$wmed"
done
echo "Summaries of awk and the batch run are identical."
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", a / b }'; }
echo "CPU time, minimum (median): batch run is $(ratio "$cmin_awk" "$cmin_jobs1")x" \
  "($(ratio "$c_awk" "$c_jobs1")x) as fast as $awk_bin and takes" \
  "$(ratio "$cmin_jobs1" "$cmin_count")x ($(ratio "$c_jobs1" "$c_count")x) the time of reading and counting"
minus() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a - b }'; }
echo "Building the picture (--report run less plain run, 1 job): CPU $(minus "$cmin_report" "$cmin_jobs1") s" \
  "($(minus "$c_report" "$c_jobs1") s), $(ratio "$(minus "$cmin_report" "$cmin_jobs1")" "$cmin_jobs1")x" \
  "($(ratio "$(minus "$c_report" "$c_jobs1")" "$c_jobs1")x) the plain run's; the report is" \
  "$(awk -v b="$(wc -c <"$work/report.html")" 'BEGIN { printf "%.2f", b / 1048576 }') MiB"
echo "Wall time, minimum (median): two jobs finish $(ratio "$wmin_jobs1" "$wmin_jobs2")x" \
  "($(ratio "$w_jobs1" "$w_jobs2")x) as fast as one"

for _ in 1 2 3; do
  echo "Result window (s): $(xvfb-run -a "$dir/qt/torvane_chart_timing" "$data" 1000 2000 2 2>/dev/null)"
done

rss() { "$measure" "$@" 2>&1 >/dev/null | sed 's/.*max_rss_kib=//'; }
mkdir -p "$work/ten"
ln -s "$(realpath "$data")"/{1,2,3,4,5,6,7,8,9,10}.txt "$work/ten/"
memory() { rss "$batch" "$1" --heading 2 --from 1000 --to 2000 --jobs 1 -o "$work/m.txt"; }
echo "Peak memory, one job: $(memory "$work/ten") KiB for 10 files, $(memory "$data") KiB for 200"

mkdir -p "$work/unbroken"
truncate -s 1G "$work/unbroken/1.txt"
result=$("$measure" "$batch" "$work/unbroken" --from 0 --to 1 -o "$work/u.txt" 2>&1 || true)
echo "A 1 GB file without line breaks: $(echo "$result" | head -1)"
echo "  $(echo "$result" | tail -1)"

for files in 1000 10000; do
  small=$dir/small-$files
  generate "$small" "$files" 100
  cat "$small"/*.txt >/dev/null
  best=""
  for _ in 1 2 3; do
    wall=$("$measure" "$batch" "$small" --heading 2 --from 200 --to 300 --jobs 1 -o "$work/s.txt" 2>&1 |
      sed 's/wall=\([0-9.]*\).*/\1/')
    best=$(awk -v a="$wall" -v b="${best:-$wall}" 'BEGIN { print (a < b ? a : b) }')
  done
  echo "$files files of 100 rows: $best s," \
    "$(awk -v t="$best" -v n="$files" 'BEGIN { printf "%.3f", t * 1000 / n }') ms a file (best of 3)"
done
