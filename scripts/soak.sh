#!/usr/bin/env bash
# soak.sh SECONDS: starts Vantaro from the sanitizer build in a real X window
# (Xvfb with openbox) on a generated 1,000,000-star map and drives it with
# random input for SECONDS: keys, drags, wheel turns, double-clicks, every
# menu command and every dialog with random text. Fails on the program
# crashing or exiting, a sanitizer report, the window not answering a
# _NET_WM_PING within 2 s, or resident memory growing by more than 16 MiB
# after the warm-up. VANTARO_SOAK_SEED repeats a run's random input;
# VANTARO_SOAK_RSS_GROWTH_MIB sets another memory limit, to watch a trend.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
export LC_ALL=C.UTF-8  # the typed texts are cut into characters, not bytes

seconds=${1:-}
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -lt 10 ]; then
  echo "usage: scripts/soak.sh SECONDS (10 or more)" >&2
  exit 2
fi

readonly stars=1000000
readonly ping_timeout_ms=2000
readonly rss_growth_limit_kb=$((${VANTARO_SOAK_RSS_GROWTH_MIB:-16} * 1024))
readonly app_title=Vantaro
readonly table=src/shell/CommandTable.cpp
# The memory baseline is read in the 30 s after the first minute (in a
# shorter run, its second quarter), and not before every menu command has run
# once and a file dialog has had each kind of name.
readonly warm_up=$((seconds >= 120 ? 60 : seconds / 4))
seed=${VANTARO_SOAK_SEED:-$(((RANDOM << 15) | RANDOM))}
RANDOM=$seed

# The sanitizer build as scripts/test.sh makes it; the map generator is a
# benchmark tool, so it comes from the normal build.
jobs=$(nproc)
[ -f build-sanitize/CMakeCache.txt ] ||
  cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DVANTARO_SANITIZE=ON -DVANTARO_BENCH=OFF >/dev/null
cmake --build build-sanitize -j "$jobs" --target vantaro >/dev/null
[ -f build/CMakeCache.txt ] || cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs" --target vantaro-benchmap >/dev/null

work=$PWD/build-sanitize/soak
mkdir -p "$work"
map=$work/map-$stars.smp
if ! [ "$map" -nt build/bin/vantaro-benchmap ]; then
  build/bin/vantaro-benchmap "$stars" "$map.$$"
  mv "$map.$$" "$map"
fi
ping_tool=$work/wm-ping
if ! [ "$ping_tool" -nt scripts/soak/wm-ping.c ]; then
  cc -O2 -Wall -Wextra -o "$ping_tool.$$" scripts/soak/wm-ping.c -lX11
  mv "$ping_tool.$$" "$ping_tool"
fi

# Each run has a directory of its own, so runs may overlap; a passing run's
# becomes last-pass, a failing run's stays for a look.
run_dir=$work/run.$$
logs=$run_dir/logs
saves_dir=$run_dir/saves
mkdir -p "$logs" "$saves_dir" "$run_dir/home" "$run_dir/runtime"
chmod 700 "$run_dir/runtime"

ending=0 exit_status=0 inputs_sent=0 menu_commands=0 menu_rounds=0 pastes=0 file_dialog_steps=0 slowest_answer_ms=0
declare -A dialogs_seen=()
app_pid='' main_window=''
declare -A rss_warm_up=() rss_baseline=() rss_recent=() rss_now=()
rss_growth_max=0 started=$SECONDS
# shellcheck source=scripts/soak/inputs.sh
source scripts/soak/inputs.sh
# shellcheck source=scripts/x-display.sh
source scripts/x-display.sh

# One line of figures; RSS as medians at each window size with a baseline.
summary() {
  local size memory=''
  for size in "${!rss_baseline[@]}"; do
    memory="$memory, $size: $((rss_baseline[$size] / 1024)) MiB at baseline, $((rss_now[$size] / 1024)) MiB at end"
  done
  [ -n "$memory" ] || memory=", no baseline"
  echo "soak: ${seconds} s (seed $seed): $inputs_sent inputs, $menu_commands menu commands," \
    "${#dialogs_seen[@]} dialogs, $pastes pastes; RSS${memory}; largest growth $((rss_growth_max / 1024)) MiB;" \
    "slowest ping answer $slowest_answer_ms ms; result: $1"
}

cleanup() {
  local pid
  for pid in "$app_pid" "$soak_clipboard_pid" "${x_display_pids[@]}"; do
    if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
  done
  wait 2>/dev/null || true
}
trap cleanup EXIT

# The files holding a sanitizer report: ASan and LSan write to log_path,
# UBSan inside an ASan build to the program's error output.
sanitizer_reports() {
  compgen -G "$logs/[al]san.*" || compgen -G "$logs/ubsan.*" || true
  grep -l -E '(Sanitizer|runtime error)' "$logs/vantaro.log" 2>/dev/null || true
}

fail() {
  echo "soak: FAIL: $1" >&2
  local report
  for report in $(sanitizer_reports); do
    echo "--- $report" >&2
    grep -m 1 -A 60 -E '(Sanitizer|runtime error)' "$report" >&2
  done
  echo "--- the program's last output ($logs/vantaro.log)" >&2
  tail -n 20 "$logs/vantaro.log" >&2 || true
  echo "--- the last inputs ($logs/inputs.log)" >&2
  tail -n 8 "$logs/inputs.log" >&2 || true
  echo "Logs: $logs" >&2
  summary FAIL
  exit 1
}

# The program is still there, has no sanitizer report and answers pings.
check_program() {
  if ! kill -0 "$app_pid" 2>/dev/null; then
    local status=0
    wait "$app_pid" || status=$?
    app_pid=''
    fail "the program exited unexpectedly (status $status) after $((SECONDS - started)) s"
  fi
  if [ -n "$(sanitizer_reports)" ]; then
    # The report is whole once the program has ended.
    for _ in $(seq 120); do
      kill -0 "$app_pid" 2>/dev/null || break
      sleep 0.5
    done
    fail "a sanitizer report was written after $((SECONDS - started)) s"
  fi
  # Two pings in a row: the first is answered before the input queued ahead
  # of it is handled, the second only once that input and its paint are done.
  # The answer's time is the ping tool's own, from sending to the answer; the
  # time around it (starting the tool, reaching the display) is logged apart.
  for _ in 1 2; do
    local status=0 answered asked=${EPOCHREALTIME/./} overall
    answered=$("$ping_tool" "$main_window" "$ping_timeout_ms") || status=$?
    overall=$(((${EPOCHREALTIME/./} - asked) / 1000))
    [ "${answered:-0}" -gt "$slowest_answer_ms" ] && slowest_answer_ms=$answered
    if [ "$overall" -ge 500 ]; then
      echo "$((SECONDS - started)) s: answered in ${answered:-?} ms, $overall ms in all, after:" \
        "$(tail -n 1 "$logs/inputs.log" 2>/dev/null)" >>"$logs/slow-answers.log"
    fi
    case $status in
      0) ;;
      1) not_answering ;;
      3) kill -0 "$app_pid" 2>/dev/null && fail "the main window vanished"; check_program ;;
      *) fail "wm-ping could not run (status $status)" ;;
    esac
  done
  check_memory
}

# After a missed ping: the program may be ending on a crash or writing a
# sanitizer report (a symbolized stack takes seconds), which tells more; else
# how long it stays silent.
not_answering() {
  local missed=$((SECONDS - started)) waited
  for waited in $(seq 30); do
    if ! kill -0 "$app_pid" 2>/dev/null || [ -n "$(sanitizer_reports)" ]; then check_program; fi
    if "$ping_tool" "$main_window" 1000 >/dev/null; then
      fail "the window did not answer a _NET_WM_PING within 2 s after $missed s (it answered again $waited s later)"
    fi
  done
  fail "the window did not answer a _NET_WM_PING within 2 s after $missed s, nor in the 30 s after"
}

median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Resident memory swings by several MiB as dialogs open and the quarantine
# turns over, and it climbs for the first minute as caches fill. So the
# baseline is the median of the readings in the window after the warm-up, and
# it is compared with the median of the readings in the latest window at the
# same size: a leak lifts both the floor and the median, a passing peak
# neither (a file dialog given a long name holds 10 MiB more for some seconds,
# in dozens of readings). The frame buffers follow the window's size (full
# screen holds several times more), so each size has its own baseline and
# latest readings, and a size is judged once its latest span two thirds of a
# window. Readings are kept as "SECOND:KB" lists, the oldest first.
readonly rss_window=$((seconds >= 120 ? 30 : seconds / 4))

# The readings of the list $1 that are less than a window older than second $2.
rss_within() {
  local reading kept=()
  for reading in $1; do
    [ "${reading%%:*}" -gt $(($2 - rss_window)) ] && kept+=("$reading")
  done
  echo "${kept[*]}"
}
rss_median() {
  local reading values=()
  for reading in $1; do values+=("${reading#*:}"); done
  median "${values[@]}"
}
rss_span() {
  local readings
  read -r -a readings <<<"$1"
  echo $((${readings[-1]%%:*} - ${readings[0]%%:*}))
}

check_memory() {
  local elapsed=$((SECONDS - started)) rss size
  [ "$ending" -eq 0 ] || return 0
  rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$app_pid/status" 2>/dev/null || echo 0)
  size=$(xdotool getwindowgeometry "$main_window" 2>/dev/null | awk '/Geometry:/ { print $2 }' || true)
  echo "$elapsed $rss $size" >>"$logs/rss.log"
  [ "$elapsed" -ge "$warm_up" ] && [ -n "$size" ] || return 0
  if [ ${#rss_baseline[@]} -eq 0 ]; then
    rss_warm_up[$size]=$(rss_within "${rss_warm_up[$size]:-} $elapsed:$rss" "$elapsed")
    if [ "$elapsed" -ge $((warm_up + rss_window)) ] && [ "$menu_rounds" -ge 2 ] &&
      { [ "$file_dialog_steps" -eq 0 ] || [ ${#soak_file_kinds_left[@]} -eq 0 ]; }; then
      take_baselines "$elapsed"
    fi
    return 0
  fi
  [ -n "${rss_baseline[$size]:-}" ] || return 0
  rss_recent[$size]=$(rss_within "${rss_recent[$size]:-} $elapsed:$rss" "$elapsed")
  [ "$(rss_span "${rss_recent[$size]}")" -ge $((rss_window * 2 / 3)) ] || return 0
  rss_now[$size]=$(rss_median "${rss_recent[$size]}")
  local growth=$((rss_now[$size] - rss_baseline[$size]))
  [ "$growth" -gt "$rss_growth_max" ] && rss_growth_max=$growth
  if [ "$growth" -gt "$rss_growth_limit_kb" ]; then
    # Ended through File > Exit, the leak check tells a leak from a cache.
    local message="resident memory grew from $((rss_baseline[$size] / 1024)) MiB to $((rss_now[$size] / 1024)) MiB"
    message="$message (medians, window $size) after the warm-up"
    ending=1
    settle
    exit_program || fail "$message; the program did not exit within 120 s of File > Exit"
    [ -n "$(sanitizer_reports)" ] || message="$message; the leak check at exit found no leak"
    fail "$message"
  fi
}

# A baseline for each window size read at least 5 times in the latest window
# (the one after the warm-up, or later while the first commands and file
# dialogs are still to come).
take_baselines() {
  local size readings count
  for size in "${!rss_warm_up[@]}"; do
    readings=$(rss_within "${rss_warm_up[$size]}" "$1")
    read -r -a count <<<"$readings"
    [ ${#count[@]} -ge 5 ] || continue
    rss_baseline[$size]=$(rss_median "$readings")
    rss_now[$size]=${rss_baseline[$size]}
    echo "soak: RSS baseline $((rss_baseline[$size] / 1024)) MiB at the window size $size after $1 s"
  done
}

# Ends the program through File > Exit, as a user would (the leak check runs
# as it ends), and sets exit_status; fails if it is still running after 120 s.
exit_program() {
  local keys
  keys=$(perl scripts/soak/commands.pl menus "$table" | awk -F '\t' '$2 == "kAppExit" { print $1 }')
  # shellcheck disable=SC2086  # the keys are separate words
  soak_send key --delay 40 $keys
  for _ in $(seq 240); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.5
  done
  kill -0 "$app_pid" 2>/dev/null && return 1
  exit_status=0
  wait "$app_pid" || exit_status=$?
  app_pid=''
}

# The program's visible windows other than the main one, as "ID KIND" lines:
# KIND is popup (a menu or a completion list), dialog, or other.
other_windows() {
  local window type
  for window in $(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null); do
    [ "$window" = "$main_window" ] && continue
    type=$(xprop -id "$window" _NET_WM_WINDOW_TYPE 2>/dev/null || true)
    case $type in
      '' | *TOOLTIP*) echo "$window other" ;;  # gone meanwhile, or a tooltip
      *MENU* | *COMBO*) echo "$window popup" ;;
      *) echo "$window dialog" ;;
    esac
  done
}

# Closes what the last input opened: menus left open get a click in the view,
# dialogs and their message boxes get random steps until the main window is
# alone again.
settle() {
  local windows dialogs popups active tries=0 last=''
  for _ in $(seq 60); do
    check_program
    windows=$(other_windows)
    dialogs=$(awk '$2 == "dialog" { print $1 }' <<<"$windows")
    popups=$(awk '$2 == "popup" { print $1 }' <<<"$windows")
    [ -z "$dialogs" ] && [ -z "$popups" ] && return 0
    if [ -z "$dialogs" ]; then
      local at
      read -r -a at <<<"$(soak_view_point)"
      soak_send mousemove --window "$main_window" "${at[0]}" "${at[1]}" click 1
      continue
    fi
    local dialog
    for dialog in $dialogs; do dialogs_seen[$dialog]=1; done
    active=$(xdotool getactivewindow 2>/dev/null || true)
    if ! grep -qx "$active" <<<"$dialogs"; then
      xdotool windowactivate "$(tail -n 1 <<<"$dialogs")" 2>/dev/null || true
      sleep 0.1
      continue
    fi
    if [ -n "$popups" ]; then
      soak_send key "$(soak_pick Escape Return)"  # a completion list in the dialog
      continue
    fi
    [ "$active" = "$last" ] && tries=$((tries + 1)) || tries=0
    last=$active
    soak_dialog_step "$active" "$tries"
  done
  fail "a dialog or menu stayed open through 60 steps: $(xdotool getwindowname "$active" 2>/dev/null || true)"
}

# The display, its window manager and the program.
start_x_display 1280x1024 "$logs" || fail "Xvfb did not start (see $logs/xvfb.log)"
export HOME=$run_dir/home XDG_RUNTIME_DIR=$run_dir/runtime QT_QPA_PLATFORM=xcb

soak_make_pastes
# A small quarantine keeps the sanitizer's own memory from looking like growth:
# freed blocks wait there before they are handed out again, and the blocks it
# holds keep their pages resident. With 8 MiB it took the first five minutes
# of dialogs to fill, and the small blocks' pages rose by 15 MiB meanwhile;
# with 1 MiB (and 128 KiB a thread) they rise by under 5 MiB in 15 minutes,
# and a block freed in the last MiB of frees is still caught if it is used.
# Allocation and free stacks of two frames do the same (the allocator's and its
# caller's). The sanitizer keeps each distinct stack for good, and the system's
# Qt is built without frame pointers: past a Qt frame the fast unwinder reads
# stack garbage, stacks that hardly ever repeat, and the store grew by half a
# MiB a file dialog, 2 MiB a minute. Two frames are exact, a set the warm-up
# fills. Exact unwinding of whole stacks triples the time to answer a ping. The
# caller's ASAN_OPTIONS come last, so a replay (VANTARO_SOAK_SEED) can ask for
# longer stacks: ASAN_OPTIONS=malloc_context_size=30.
(
  cd "$HOME"
  export ASAN_OPTIONS="log_path=$logs/asan:detect_leaks=1:quarantine_size_mb=1:thread_local_quarantine_size_kb=128:malloc_context_size=2${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
  export LSAN_OPTIONS="suppressions=$repo/scripts/soak/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS="log_path=$logs/ubsan:print_stacktrace=1:halt_on_error=1"
  exec "$repo/build-sanitize/bin/vantaro" --map "$map"
) >"$logs/vantaro.log" 2>&1 &
app_pid=$!

for _ in $(seq 600); do
  kill -0 "$app_pid" 2>/dev/null || break
  main_window=$(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | head -n 1 || true)
  [ -n "$main_window" ] && break
  sleep 0.5
done
[ -n "$main_window" ] || { check_program; fail "no window appeared within 300 s"; }
for _ in $(seq 30); do "$ping_tool" "$main_window" "$ping_timeout_ms" >/dev/null && break; done
started=$SECONDS

# The first round of menu commands alternates with random input, so every
# command has run, and its dialog been seen, before the memory baseline.
actions=0
while [ $((SECONDS - started)) -lt "$seconds" ]; do
  if [ "$menu_rounds" -le 1 ] && [ $((actions % 2)) -eq 0 ]; then
    soak_menu_command
  else
    soak_random_action
  fi
  actions=$((actions + 1))
  settle
  for _ in 1 2 3 4 5 6; do
    if [ ${#soak_file_kinds_left[@]} -eq 0 ] || [ -z "$soak_file_opener" ]; then break; fi
    # shellcheck disable=SC2086  # the keys are separate words
    soak_send key $soak_file_opener
    settle
  done
done

check_memory
exit_program || fail "the program did not exit within 120 s of File > Exit"
[ -z "$(sanitizer_reports)" ] || fail "a sanitizer report was written"
[ "$exit_status" -eq 0 ] || fail "the program exited with status $exit_status after File > Exit"
rm -rf "$work/last-pass"
mv "$run_dir" "$work/last-pass"
summary PASS
