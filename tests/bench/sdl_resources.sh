#!/usr/bin/env bash
# How lean the windowed game is, measured in a private X server (Xvfb):
#   - how long after the process starts its window is on the screen,
#   - its peak resident memory over a whole run (/usr/bin/time -v),
#   - its processor use over 20 s of a running match.
# Usage: sdl_resources.sh [GAME [XHELPER]] (default build/bin/pinwick and
# build/bin/pinwick-test-x, which starts the game and catches the moment its
# window is mapped). Exit 1 when a target is missed.
set -euo pipefail

GAME=${1:-build/bin/pinwick}
XHELPER=${2:-$(dirname "$GAME")/pinwick-test-x}
STARTS=5                 # window timings; the median counts
MATCH_SECONDS=20
TARGET_WINDOW_MS=60
TARGET_RSS_KB=12288      # 12 MB
TARGET_CPU_PERCENT=2
CARD_X=40 CARD_Y=30      # client pixel on the white card
MENU_ROWS=10

WORK_PREFIX=pinwick-sdl-bench
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/sdl/common.sh"

: >"$WORK/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$WORK/display" 2>/dev/null &
track $!
for _ in $(seq 1 100); do [ -s "$WORK/display" ] && break; sleep 0.1; done
export DISPLAY=:$(head -n1 "$WORK/display")
xdotool mousemove 0 0

# start [WRAPPER...]: runs the game (under WRAPPER if given); WINDOW_MS, the
# time from the start to the window being mapped; RUN_PID, the process
# started; GAME_PID, the game itself; WID, its window.
start() {
  WINDOW_MS=$("$XHELPER" time-window "$WORK/pid" "$@" "$GAME")
  RUN_PID=$(cat "$WORK/pid")
  GAME_PID=$RUN_PID
  if [ $# -gt 0 ]; then GAME_PID=$(pgrep -P "$RUN_PID" | head -n1); fi
  track $RUN_PID
  WID=""
  for _ in $(seq 1 200); do
    WID=$(xdotool search --onlyvisible --name '^Pinwick$' 2>/dev/null | head -n1 || true)
    [ -n "$WID" ] && break
    sleep 0.05
  done
  [ -n "$WID" ] || { echo "no window" >&2; exit 1; }
}

stop() {
  xdotool key --window "$WID" Escape
  for _ in $(seq 1 300); do kill -0 "$RUN_PID" 2>/dev/null || return 0; sleep 0.1; done
  echo "the game did not end" >&2
  exit 1
}

timings=()
for _ in $(seq 1 $STARTS); do
  start
  timings+=("$WINDOW_MS")
  sleep 1
  stop
done
window_ms=$(printf '%s\n' "${timings[@]}" | sort -n | sed -n "$(((STARTS + 1) / 2))p")
window_whole_ms=${window_ms%.*}

# A whole run: title, a match left running for a while, Esc.
start /usr/bin/time -v -o "$WORK/time.txt"
sleep 1.5
eval "$(xdotool getwindowgeometry --shell "$WID")"
s=$((WIDTH / 160))
xdotool mousemove $((X + CARD_X * s + s / 2)) $((Y + (MENU_ROWS + CARD_Y) * s + s / 2))
xdotool mousedown 1
sleep 0.15
xdotool mouseup 1
xdotool mousemove 0 0
sleep 2
ticks() { awk '{print $14 + $15}' "/proc/$GAME_PID/stat"; }
before=$(ticks)
sleep $MATCH_SECONDS
after=$(ticks)
hz=$(getconf CLK_TCK)
cpu=$(awk -v t=$((after - before)) -v hz="$hz" -v s=$MATCH_SECONDS 'BEGIN { printf "%.2f", 100 * t / hz / s }')
stop
rss_kb=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$WORK/time.txt")

missed=0
verdict() { if [ "$1" = 1 ]; then VERDICT=ok; else VERDICT=MISSED; missed=1; fi; }
verdict $((window_whole_ms < TARGET_WINDOW_MS || window_ms == TARGET_WINDOW_MS))
printf 'window on screen after %s ms (median of %s starts: %s)  target <= %s ms  %s\n' "$window_ms" "$STARTS" \
  "${timings[*]}" "$TARGET_WINDOW_MS" "$VERDICT"
verdict $((rss_kb <= TARGET_RSS_KB))
printf 'peak resident memory %s kB  target <= %s kB  %s\n' "$rss_kb" "$TARGET_RSS_KB" "$VERDICT"
verdict "$(awk -v c="$cpu" -v t=$TARGET_CPU_PERCENT 'BEGIN { print (c <= t) ? 1 : 0 }')"
printf 'processor use in a match %s%% of a core over %s s  target <= %s%%  %s\n' "$cpu" "$MATCH_SECONDS" \
  "$TARGET_CPU_PERCENT" "$VERDICT"
exit $missed
