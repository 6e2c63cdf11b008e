#!/usr/bin/env bash
# Builds the benchmarks in a Release build (build-bench) and runs them all:
# 1. start-up: on a virtual X display of its own, the floor program (a plain Qt program of
#    the same shape) and Mezura with 2 and with 10 windows chosen in its settings file, each
#    started ROUNDS times (default 9) in turn; medians of the time to the first window mapped,
#    to every chosen window mapped, resident memory, and the ratios to the floor; and the
#    first F1: the help viewer started with the request for the common page, to its window
#    mapped with the page laid out, beside the floor program;
#    and the help viewer's page layout: pages of one run of 10,000 to 400,000 characters with
#    no place to break a line (of words, and of invalid UTF-8, beside them), the median time
#    to show each and the time per 1,000 characters, level when the time grows linearly;
# 2. Enter until painted, for every window's largest chain: warm and cold (the first Enter
#    after the start, 9 fresh starts each), offscreen and on the virtual display;
# 3. a long session on the virtual display: every window in turn, 2,000 Enters in its largest
#    chain's field, each on a new number; the growth of the resident memory over each window's
#    Enters and over their second half, which must stay under 0.5 MB (a line says so when it
#    does not);
# 4. the core chains (Google Benchmark);
# 5. instructions counted by callgrind, which the machine's load does not change: of an Enter
#    in the volume window, warm and cold, and of the start until the last chosen window is
#    shown, for the floor and Mezura with 2 and 10 windows chosen, and for the help viewer
#    at the first F1;
# 6. one conversion with mezura-conv from start to exit, 200 runs (hyperfine when it is
#    installed), beside a program that does nothing, with the ratio of their means; the files
#    a run writes (none); the instructions of that run and of a few other kinds of name;
# 7. the web page (scripts/web.sh builds it) in headless chromium from a local static server:
#    load to the first usable window, Enter to every field updated with 1 and 10 windows open
#    beside a plain page of as many inputs, the size of its WebAssembly and JavaScript, and
#    Lighthouse's performance scores (mobile and desktop).
#    `scripts/bench.sh web [ROUNDS]` runs this case alone.
#   scripts/bench.sh [ROUNDS]
set -euo pipefail
. "$(dirname "$0")/on-error.sh"
. "$(dirname "$0")/apt-install.sh"
cd "$(dirname "$0")/.."

# Lighthouse, a benchmark's tool and no dependency of the tests: installed from npm into a
# temporary folder for the run, and removed after it.
bench_web() {
  bash scripts/web.sh >/dev/null
  (cd tests/web && npm ci --no-audit --no-fund --silent)
  local lighthouse
  lighthouse="$(mktemp -d)"
  npm install --prefix "$lighthouse" --no-audit --no-fund --silent lighthouse@12.2.3
  echo "== the web page in headless chromium, $1 loads"
  LIGHTHOUSE="$lighthouse/node_modules/lighthouse" timeout 600 node tests/web/bench.mjs build-web/site "$1"
  rm -rf "$lighthouse"
}
if [ "${1:-}" = web ]; then
  bench_web "${2:-9}"
  exit 0
fi
rounds=${1:-9}

install_missing libbenchmark-dev libxcb1-dev valgrind hyperfine

cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DMEZURA_BENCH=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build build-bench -j"$(nproc)" --target mezura mezura-help mezura_chm mezura_bench mezura-enter-bench mezura-floor \
  mezura-startup-timer mezura-conv mezura-page-bench

export LC_ALL=C.UTF-8
unset QT_QPA_PLATFORM
. scripts/xvfb.sh
begin_session
start_xvfb "$work"

echo "== machine"
echo "$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'), $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"

# Program folders: the temperature and calendar windows chosen, and all ten.
for chosen in 2 10; do
  mkdir -p "$work/mezura-$chosen"
  cp build-bench/mezura "$work/mezura-$chosen/"
done
printf '0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n1\r\n' >"$work/mezura-2/Mezura.cfg"
printf '1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n' >"$work/mezura-10/Mezura.cfg"
# The programs measured, LABEL:WINDOWS:PROGRAM, the floor first: by the start-up timer and
# by callgrind alike.
programs=(floor:2:build-bench/bench/mezura-floor mezura-2:3:"$work/mezura-2/mezura" mezura-10:11:"$work/mezura-10/mezura")

echo "== start-up on $DISPLAY, $rounds rounds (the settings window counts among the windows)"
build-bench/bench/mezura-startup-timer "$rounds" "${programs[@]}"

echo "== the first F1 on $DISPLAY, $rounds rounds: the help viewer's start until its window is mapped, beside the floor"
build-bench/bench/mezura-startup-timer --input "1000 $PWD/build-bench/Mezura.chm" "$rounds" \
  floor:2:build-bench/bench/mezura-floor help:1:build-bench/mezura-help 2>/dev/null | grep -v '^shown'

echo "== the help viewer's page layout, offscreen: median of $rounds showings of each page"
QT_QPA_PLATFORM=offscreen build-bench/bench/mezura-page-bench "$rounds" 2>/dev/null

echo "== Enter until painted, warm"
QT_QPA_PLATFORM=offscreen build-bench/bench/mezura-enter-bench 200 2>/dev/null
build-bench/bench/mezura-enter-bench 200 2>/dev/null

echo "== Enter until painted, cold: median of $rounds fresh starts"
for platform in offscreen xcb; do
  for window in length square cubic weight velocity press heat temp radio year; do
    for _ in $(seq "$rounds"); do
      QT_QPA_PLATFORM=$platform build-bench/bench/mezura-enter-bench --cold "$window" 2>/dev/null
    done | sort -n -k7 | awk -v n="$rounds" 'NR == int((n + 1) / 2) { print $0 " (median)" }'
  done
done

echo "== long session on $DISPLAY: resident memory over 2,000 Enters in each window"
build-bench/bench/mezura-enter-bench --long 2000 2>/dev/null |
  awk '{ print; split($0, part, ": ") } part[3] + 0 > 512 { print "  " $3 " grew by more than 0.5 MB" }'

echo "== core chains"
build-bench/bench/mezura_bench --benchmark_filter='EnterLargest' --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

echo "== instructions (callgrind)"
count() { # count OUT PROGRAM ARGS...: the instructions of the profiled run
  valgrind --tool=callgrind --callgrind-out-file="$1" "${@:2}" >/dev/null 2>&1
  grep -m1 '^summary' "$1" | cut -d' ' -f2
}
warm=$(QT_QPA_PLATFORM=offscreen count "$work/enter.out" --toggle-collect='*enterUntilPainted*' \
  build-bench/bench/mezura-enter-bench 40 cubic)
cold=$(QT_QPA_PLATFORM=offscreen count "$work/cold.out" --toggle-collect='*enterUntilPainted*' \
  build-bench/bench/mezura-enter-bench --cold cubic)
echo "Enter in the volume window (40 fields written): warm $((warm / 41)) per Enter, cold $cold"
# A part of the profile is written before each window is shown; the start is done when there
# are as many parts as windows (the program is then stopped).
for program in "${programs[@]}"; do
  IFS=: read -r name windows path <<<"$program"
  rm -f "$work"/start.out*
  valgrind --tool=callgrind --dump-before='QXcbWindow::show*' --callgrind-out-file="$work/start.out" \
    "$path" >/dev/null 2>&1 &
  pid=$!
  for _ in $(seq 600); do
    [ "$(find "$work" -name 'start.out.*' | wc -l)" -ge "$windows" ] && break
    sleep 0.1
  done
  sleep 1
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  parts=$(find "$work" -name 'start.out.*' | wc -l)
  total=$(for part in $(seq "$windows"); do grep -m1 '^summary' "$work/start.out.$part" 2>/dev/null; done |
    awk '{ s += $2 } END { print s }')
  if [ "$parts" -ge "$windows" ]; then
    [ "$name" = floor ] && floor=$total
    echo "$name: $total instructions until the last of its $windows windows is shown" \
      "($(awk -v a="$total" -v b="${floor:-$total}" 'BEGIN { printf "%.2f", a / b }')x the floor)"
  else
    echo "$name: $parts of $windows windows shown within 60 s: not counted"
  fi
done

# The first F1: the help viewer's start until its window is shown, the common page laid out
# (its input ends after the request: it serves it, then ends).
rm -f "$work"/help.out*
echo "1000 $PWD/build-bench/Mezura.chm" | timeout 120 valgrind --tool=callgrind --dump-before='QXcbWindow::show*' \
  --callgrind-out-file="$work/help.out" build-bench/mezura-help >/dev/null 2>&1 || true
help=$(grep -m1 '^summary' "$work/help.out.1" 2>/dev/null | cut -d' ' -f2)
echo "help viewer, the first F1: ${help:-?} instructions until its window is shown" \
  "($(awk -v a="${help:-0}" -v b="${floor:-1}" 'BEGIN { printf "%.2f", a / b }')x the floor)"

echo "== mezura-conv: one conversion from the terminal, start to exit"
conv=(build-bench/mezura-conv 3 坪 m2)
if ldd build-bench/mezura-conv | grep -qi 'libQt'; then
  echo "mezura-conv loads Qt"
fi
if command -v hyperfine >/dev/null; then
  hyperfine --shell=none --warmup 20 --runs 200 --export-csv "$work/conv.csv" "${conv[*]}" /bin/true
  # The columns: command, mean, stddev, median, user, system, min, max (seconds).
  awk -F, 'NR == 2 { mean = $2; median = $4 } NR == 3 {
      printf "mezura-conv against /bin/true: %.2fx the mean, %.2fx the median (target: at most 2x)\n", mean / $2, median / $4 }' \
    "$work/conv.csv"
else
  per_run() { # per_run COMMAND...: the mean wall time of 200 runs, in microseconds
    local start end
    start=$(date +%s%N)
    for _ in $(seq 200); do "$@" >/dev/null; done
    end=$(date +%s%N)
    echo $(((end - start) / 200000))
  }
  "${conv[@]}" >/dev/null
  echo "${conv[*]}: $(per_run "${conv[@]}") us a run (mean of 200); /bin/true: $(per_run /bin/true) us"
fi
# A run writes nothing: no settings file, no cache, in its home directory or where it runs.
mkdir -p "$work/conv-home" "$work/conv-dir"
(
  program=$PWD/${conv[0]}
  cd "$work/conv-dir"
  env -u XDG_CONFIG_HOME -u XDG_CACHE_HOME HOME="$work/conv-home" "$program" "${conv[@]:1}" >/dev/null
)
echo "files a run wrote: $(find "$work/conv-home" "$work/conv-dir" -mindepth 1 | wc -l)"
for args in "3 坪 m2" "1 ft m" "100 C" "令和 元 西暦" "-w 重さ 1 lb g"; do
  read -r -a words <<<"$args"
  echo "mezura-conv $args: $(count "$work/conv.out" build-bench/mezura-conv "${words[@]}") instructions"
done
bench_web "$rounds"
