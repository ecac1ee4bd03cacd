#!/usr/bin/env bash
# How evenly the game presents its frames, in the SDL build and in the Windows
# build under Wine, each in its own private X server: a match left running for
# 30 s, the intervals between the frames the game logs (PINWICK_FRAME_LOG)
# and its processor use over the same 30 s.
# Usage: frame_pacing.sh [GAME [GAME_EXE]] (default build/bin/pinwick and
# build/win32/bin/pinwick.exe; pinwick-probe.exe beside the latter finds the
# Windows client area). Both builds always run; exit 1 when a target is missed.
set -euo pipefail

GAME=${1:-build/bin/pinwick}
GAME_EXE=${2:-build/win32/bin/pinwick.exe}
PROBE_EXE=$(dirname "$GAME_EXE")/pinwick-probe.exe
MATCH_SECONDS=30
TARGET_MEAN_MS=20.00 TARGET_MEAN_SLACK=0.05
TARGET_P99_MS=21
TARGET_CPU_PERCENT=2
CARD_X=40 CARD_Y=30      # client pixel on the white card
MENU_ROWS=10             # the SDL build draws its menu bar inside the window

WORK_PREFIX=pinwick-frame-bench
here=$(dirname "${BASH_SOURCE[0]}")
source "$here/../e2e/sdl/common.sh"
source "$here/../e2e/win32/wine_prefix.sh"
# The wineserver is ours only once our prefix exists.
trap '[ "${WINEPREFIX:-}" = "$WORK/prefix" ] && timeout 30 wineserver -k 2>/dev/null; cleanup' EXIT

missed=0
now_ms() { date +%s%3N; }

start_x() {
  : >"$WORK/display"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$WORK/display" 2>/dev/null &
  XVFB_PID=$!
  track $XVFB_PID
  for _ in $(seq 1 100); do [ -s "$WORK/display" ] && break; sleep 0.1; done
  export DISPLAY=:$(head -n1 "$WORK/display")
  xdotool mousemove 0 0
}

stop_x() { kill "$XVFB_PID" 2>/dev/null || true; }

# A press and a release between two frames leave no click: hold it a moment.
click_at() { xdotool mousemove "$1" "$2" mousedown 1 sleep 0.15 mouseup 1 mousemove 0 0; }

# measure PID: CPU, its percent of one core over MATCH_SECONDS; T0 and T1, the
# wall clock in ms at both ends.
measure() {
  local before after
  ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
  before=$(ticks "$1") || return 1
  T0=$(now_ms)
  sleep $MATCH_SECONDS
  after=$(ticks "$1") || return 1
  T1=$(now_ms)
  CPU=$(awk -v t=$((after - before)) -v hz="$(getconf CLK_TCK)" -v ms=$((T1 - T0)) \
    'BEGIN { printf "%.2f", 100 * t / hz / (ms / 1000) }')
}

# stop_game PID KEYS...: T_ESC, then xdotool KEYS (the Esc), then waits for PID to end.
stop_game() {
  local pid=$1 && shift
  T_ESC=$(now_ms)
  xdotool "$@"
  for _ in $(seq 1 300); do kill -0 "$pid" 2>/dev/null || return 0; sleep 0.1; done
  return 1
}

# report NAME LOG [PROBLEM]: the line for one build. The last frame logged is
# the one presented as Esc arrived, so the measured window lies (T_ESC - T1)
# to (T_ESC - T0) ms before its tick; ticks wrap at 2^32.
report() {
  local name=$1 log=$2 problem=${3:-} stats mean p99 max n ok
  if [ -z "$problem" ] && [ ! -s "$log" ]; then problem="no frame log written"; fi
  if [ -n "$problem" ]; then
    echo "$name $problem${CPU:+, processor $CPU% of a core}  MISSED"
    missed=1
    return
  fi
  stats=$(awk -v newest=$((T_ESC - T1)) -v oldest=$((T_ESC - T0)) '
    $1 ~ /^[0-9]+$/ && $2 ~ /^[0-9]+$/ { n++; tick[n] = $2 }
    END {
      w = 4294967296
      for (i = 2; i <= n; i++) {
        if ((tick[n] - tick[i - 1] + w) % w > oldest || (tick[n] - tick[i] + w) % w < newest) continue
        d = (tick[i] - tick[i - 1] + w) % w
        count[d]++; k++; sum += d; if (d > max) max = d
      }
      if (k == 0) { print "none"; exit }
      for (d = 0; seen < 0.99 * k; d++) seen += count[d]
      printf "%.2f %d %d %d\n", sum / k, d - 1, max, k
    }' "$log")
  [ "$stats" != none ] || { report "$name" "$log" "no frames logged in the measured window"; return; }
  read -r mean p99 max n <<<"$stats"
  ok=$(awk -v m="$mean" -v p="$p99" -v c="$CPU" -v tm=$TARGET_MEAN_MS -v ts=$TARGET_MEAN_SLACK \
    -v tp=$TARGET_P99_MS -v tc=$TARGET_CPU_PERCENT \
    'BEGIN { print (m >= tm - ts - 1e-9 && m <= tm + ts + 1e-9 && p <= tp && c <= tc) ? "ok" : "MISSED" }')
  [ "$ok" = ok ] || missed=1
  printf '%s frame interval mean %s ms p99 %s ms max %s ms over %s intervals, processor %s%% of a core  targets mean %s±%s, p99<=%s, cpu<=%s%%  %s\n' \
    "$name" "$mean" "$p99" "$max" "$n" "$CPU" "$TARGET_MEAN_MS" "$TARGET_MEAN_SLACK" "$TARGET_P99_MS" \
    "$TARGET_CPU_PERCENT" "$ok"
}

run_sdl() {
  local log=$WORK/sdl.frames pid wid="" && CPU=""
  [ -x "$GAME" ] || { report sdl "$log" "$GAME is missing (make build)"; return; }
  start_x
  PINWICK_FRAME_LOG=$log "$GAME" >"$WORK/sdl.out" 2>&1 &
  pid=$!
  track $pid
  for _ in $(seq 1 200); do
    wid=$(xdotool search --onlyvisible --name '^Pinwick$' 2>/dev/null | head -n1 || true)
    [ -n "$wid" ] && break
    sleep 0.05
  done
  [ -n "$wid" ] || { report sdl "$log" "no window$(head -c 300 "$WORK/sdl.out" | tr '\n' ' ' | sed 's/.\+/ (&)/')"; stop_x; return; }
  sleep 1.5
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  local s=$((WIDTH / 160))
  click_at $((X + CARD_X * s + s / 2)) $((Y + (MENU_ROWS + CARD_Y) * s + s / 2))
  sleep 2
  measure "$pid" || { report sdl "$log" "the game ended during the match"; stop_x; return; }
  if stop_game "$pid" key --window "$wid" Escape; then report sdl "$log"; else report sdl "$log" "the game did not end on Esc"; fi
  stop_x
}

run_win32() {
  local log=$WORK/win32.frames pid="" info origin ox oy p && CPU=""
  [ -f "$GAME_EXE" ] && [ -f "$PROBE_EXE" ] || { report win32 "$log" "$GAME_EXE or $PROBE_EXE is missing (make win32)"; return; }
  start_x
  make_wine_prefix "$WORK/prefix" "$WORK/wineboot.log" || { report win32 "$log" "$WINE_PREFIX_ERROR"; return; }
  PINWICK_FRAME_LOG=$(winepath -w "$log" 2>/dev/null) timeout 600 wine "$GAME_EXE" >"$WORK/win32.out" 2>&1 &
  track $!
  # The probe, a second program under the same Wine, knows the client origin.
  info=$(timeout 60 wine "$PROBE_EXE" window 2>/dev/null | tr -d '\r' || true)
  origin=$(sed -n 's/^origin=//p' <<<"$info")
  [ -n "$origin" ] || { report win32 "$log" "no window$(tr '\n' ' ' <<<"$info" | sed 's/.\+/ (&)/')"; return; }
  ox=${origin%,*} oy=${origin#*,}
  # The game's own process, not the wine launcher: the one of our prefix.
  for p in $(pgrep -x pinwick.exe || true); do
    grep -qzxF "WINEPREFIX=$WINEPREFIX" "/proc/$p/environ" 2>/dev/null && pid=$p
  done
  [ -n "$pid" ] || { report win32 "$log" "no pinwick.exe process found"; return; }
  sleep 1.5
  click_at $((ox + CARD_X)) $((oy + CARD_Y))
  sleep 2
  measure "$pid" || { report win32 "$log" "the game ended during the match"; return; }
  # With no window manager keys go to the window under the pointer: the emblem.
  if stop_game "$pid" mousemove $((ox + 80)) $((oy + 17)) key Escape; then report win32 "$log"
  else report win32 "$log" "the game did not end on Esc"; fi
}

run_sdl
run_win32
exit $missed
