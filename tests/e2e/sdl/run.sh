#!/usr/bin/env bash
# The SDL game end to end in a private X server: run.sh CASE GAME TOOL XHELPER.
# Each case starts its own Xvfb (a free display picked by Xvfb itself) and its
# own runtime directory, so cases run side by side, and cleans up after itself.
set -euo pipefail

CASE=$1
GAME=$2
TOOL=$3
XHELPER=$4

SCREEN_W=1280
SCREEN_H=1024
MENU_ROWS=10   # the drawn menu bar, in game pixels
TIMEOUT=30     # seconds for anything to happen; the sanitizer build is slow

WORK_PREFIX=pinwick-sdl-e2e
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# The game follows the locale: every case plays in the Japanese the tool
# draws by default, but those that choose a locale themselves.
unset LC_ALL LC_MESSAGES
export LANG=C.UTF-8

fail() {
  echo "FAIL ($CASE): $*" >&2
  if [ -s "$WORK/xvfb.log" ]; then
    echo "the X server said:" >&2
    cat "$WORK/xvfb.log" >&2
  fi
  kill -0 "${XVFB_PID:-0}" 2>/dev/null || echo "the X server is gone" >&2
  if [ -s "$WORK/game.out" ]; then
    echo "the game said:" >&2
    cat "$WORK/game.out" >&2
  fi
  exit 1
}

# -noreset: without it the server starts afresh whenever its last client
# leaves, and a client connecting at that moment loses its connection.
start_x() {
  : >"$WORK/display"
  Xvfb -displayfd 3 -screen 0 ${SCREEN_W}x${SCREEN_H}x24 -nolisten tcp -noreset 3>"$WORK/display" 2>"$WORK/xvfb.log" &
  XVFB_PID=$!
  track $XVFB_PID
  for _ in $(seq 1 $((TIMEOUT * 10))); do
    if [ -s "$WORK/display" ]; then
      export DISPLAY=:$(head -n1 "$WORK/display")
      xdotool mousemove 0 0
      return
    fi
    sleep 0.1
  done
  fail "Xvfb did not start: $(cat "$WORK/xvfb.log")"
}

# start_game [ARGS...]: runs the game in the background; GAME_PID.
start_game() {
  "$GAME" "$@" >"$WORK/game.out" 2>&1 &
  GAME_PID=$!
  track $GAME_PID
}

# wait_window: WID, and WIN_X WIN_Y WIN_W WIN_H of the window once it is mapped.
wait_window() {
  for _ in $(seq 1 $((TIMEOUT * 20))); do
    WID=$(xdotool search --onlyvisible --name '^Pinwick$' 2>/dev/null | head -n1 || true)
    if [ -n "$WID" ]; then
      eval "$(xdotool getwindowgeometry --shell "$WID")"
      WIN_X=$X WIN_Y=$Y WIN_W=$WIDTH WIN_H=$HEIGHT
      return
    fi
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended before its window appeared: $(cat "$WORK/game.out")"
    sleep 0.05
  done
  echo "display $DISPLAY: $(xwininfo -root -tree 2>&1 | head -n 12)" >&2
  echo "game env: $(tr '\0' '\n' < /proc/$GAME_PID/environ | grep DISPLAY)" >&2
  echo "game fds: $(ls -l /proc/$GAME_PID/fd 2>&1 | tail -n +2 | awk '{print $NF}' | tr '\n' ' ')" >&2
  echo "game state: $(grep -E 'State|PPid' /proc/$GAME_PID/status | tr '\n' ' ')" >&2
  fail "no window titled Pinwick"
}

# wait_exit PID: EXIT_STATUS of the process once it has ended.
wait_exit() {
  for _ in $(seq 1 $((TIMEOUT * 10))); do
    if ! kill -0 "$1" 2>/dev/null; then
      set +e
      wait "$1"
      EXIT_STATUS=$?
      set -e
      return
    fi
    sleep 0.1
  done
  fail "process $1 did not end"
}

scale() { echo $((WIN_W / 160)); }

# shot FILE: the client area (below the menu bar) as a PNG.
shot() {
  local s
  s=$(scale)
  import -window root -crop $((160 * s))x$((60 * s))+$WIN_X+$((WIN_Y + MENU_ROWS * s)) +repage "$1"
}

# whole_shot FILE: the whole window, menu bar included.
whole_shot() { import -window root -crop ${WIN_W}x${WIN_H}+$WIN_X+$WIN_Y +repage "$1"; }

# pixel FILE X Y: the colour at a point of a picture as RRGGBB.
pixel() { convert "$1" -format "%[hex:p{$2,$3}]" info: | cut -c1-6 | tr A-F a-f; }

# press_at X Y: a left click on client pixel (X, Y), held long enough for a frame to see it.
press_at() {
  local s
  s=$(scale)
  xdotool mousemove $((WIN_X + $1 * s + s / 2)) $((WIN_Y + (MENU_ROWS + $2) * s + s / 2))
  sleep 0.1
  xdotool mousedown 1
  sleep 0.15
  xdotool mouseup 1
}

# click_canvas X Y: a click on canvas pixel (X, Y) (the menu bar is rows 0..9).
click_canvas() {
  local s
  s=$(scale)
  xdotool mousemove $((WIN_X + $1 * s + s / 2)) $((WIN_Y + $2 * s + s / 2))
  sleep 0.05
  xdotool click 1
}

# wait_shot_matches EXPECTED: waits until the client area shows exactly EXPECTED.
wait_shot_matches() {
  local diff=""
  for _ in $(seq 1 $((TIMEOUT * 2))); do
    shot "$WORK/screen.png"
    diff=$(compare -metric AE "$WORK/screen.png" "$1" null: 2>&1 || true)
    [ "$diff" = "0" ] && return
    sleep 0.5
  done
  cp "$WORK/screen.png" "/tmp/pinwick-sdl-e2e-$CASE-screen.png"
  fail "the screen never matched $1 ($diff pixels differ; kept /tmp/pinwick-sdl-e2e-$CASE-screen.png)"
}

# wait_pixel_change FILE X Y: waits until client pixel (X, Y) differs from its colour in FILE.
wait_pixel_change() {
  local before now s
  s=$(scale)
  before=$(pixel "$1" $(($2 * s + s / 2)) $(($3 * s + s / 2)))
  for _ in $(seq 1 $((TIMEOUT * 5))); do
    shot "$WORK/now.png"
    now=$(pixel "$WORK/now.png" $(($2 * s + s / 2)) $(($3 * s + s / 2)))
    [ "$now" != "$before" ] && return
    sleep 0.2
  done
  fail "client pixel ($2, $3) stayed $before"
}

# The title as the headless shell draws it, magnified by S with sharp pixels.
# expected_title SCALE [LANG]: the title as the tool draws it, magnified.
expected_title() {
  timeout "$TIMEOUT" "$TOOL" replay --frames 60 --lang "${2:-ja}" --shot "60:$WORK/title1.png" >/dev/null
  convert "$WORK/title1.png" -filter point -resize $((100 * $1))% "$WORK/title.png"
  echo "$WORK/title.png"
}

# play_a_move: on the title at scale 3, the white card, then a legal square;
# the stone must appear.
play_a_move() {
  wait_shot_matches "$(expected_title 3)"
  # The white card starts a match: the board appears where the title was.
  shot "$WORK/title_now.png"
  press_at 40 30
  wait_pixel_change "$WORK/title_now.png" 80 20
  sleep 1.5  # the wipe has gone by
  shot "$WORK/board.png"
  local s white empty now
  s=$(scale)
  white=$(pixel "$WORK/board.png" $(((56 + 3 * 6 + 3) * s)) $(((6 + 3 * 6 + 3) * s)))    # the stone at (3, 3)
  empty=$(pixel "$WORK/board.png" $(((56 + 5 * 6 + 3) * s)) $(((6 + 3 * 6 + 3) * s)))    # (5, 3), empty
  [ "$white" != "$empty" ] || fail "no board on the screen"
  # White moves first: (5, 3) captures (4, 3). The stone appears there.
  press_at $((56 + 5 * 6 + 3)) $((6 + 3 * 6 + 3))
  for _ in $(seq 1 $((TIMEOUT * 5))); do
    shot "$WORK/moved.png"
    now=$(pixel "$WORK/moved.png" $(((56 + 5 * 6 + 3) * s)) $(((6 + 3 * 6 + 3) * s)))
    [ "$now" = "$white" ] && break
    sleep 0.2
  done
  [ "$now" = "$white" ] || fail "no white stone on (5, 3): $now"
  kill -0 "$GAME_PID" || fail "the game ended"
}

# wait_trace AFTER PATTERN: the first frame after AFTER whose line in the
# live trace matches PATTERN (an awk regex). The game writes the trace out
# about once a second, so a step waits on the game's state and not on how
# quickly this machine runs it.
wait_trace() {
  local found
  for _ in $(seq 1 $((TIMEOUT * 5))); do
    found=$(awk -v after="$1" -v pattern="$2" \
      '/^f=/ && substr($1, 3) + 0 > after && $0 ~ pattern { print substr($1, 3); exit }' "$WORK/live.trace")
    if [ -n "$found" ]; then
      echo "$found"
      return
    fi
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended before its trace showed '$2' after frame $1"
    sleep 0.2
  done
  fail "the live trace never showed '$2' after frame $1"
}

# White's turn in the match, with the board written out whole.
HUMAN_TURN='sc=3 ms=1 side=1 .* b=[0-9]+ snd=.* wipe=- '
COMPUTER_TURN='sc=3 ms=1 side=2 '

# legal_square FRAME: "COLUMN ROW" of the first square where white may play
# on the board of that frame of the live trace.
legal_square() {
  grep "^f=$1 " "$WORK/live.trace" | sed 's/.* b=\([0-9]*\) .*/\1/' | awk '{
    for (square = 0; square < 64; ++square) {
      if (substr($0, square + 1, 1) != "0") continue
      x = square % 8; y = int(square / 8)
      for (dx = -1; dx <= 1; ++dx) for (dy = -1; dy <= 1; ++dy) {
        if (dx == 0 && dy == 0) continue
        cx = x + dx; cy = y + dy; taken = 0
        while (cx >= 0 && cx < 8 && cy >= 0 && cy < 8 && substr($0, cy * 8 + cx + 1, 1) == "2") {
          cx += dx; cy += dy; ++taken
        }
        if (taken > 0 && cx >= 0 && cx < 8 && cy >= 0 && cy < 8 && substr($0, cy * 8 + cx + 1, 1) == "1") {
          print x, y; exit
        }
      }
    }
  }'
}

# press_square COLUMN ROW: a click on that square of the board.
press_square() { press_at $((56 + $1 * 6 + 3)) $((6 + $2 * 6 + 3)); }

start_x
case "$CASE" in
  window)
    # Bad arguments are refused before anything opens, and so are two
    # outputs that name one file.
    set +e
    "$GAME" --scale 0 2>/dev/null; status=$?
    "$GAME" --record a.txt --record b.txt 2>/dev/null; twice=$?
    timeout $TIMEOUT "$GAME" --record "$WORK/run.txt" --trace "$WORK/./run.txt" 2>"$WORK/same.err"; same=$?
    set -e
    [ "$status" -eq 2 ] || fail "--scale 0 gave status $status, not 2"
    [ "$twice" -eq 2 ] || fail "--record twice gave status $twice, not 2"
    [ "$same" -eq 2 ] && grep -q "^pinwick: --record $WORK/run.txt and --trace $WORK/./run.txt name one file" \
      "$WORK/same.err" || fail "one file for two outputs gave status $same: $(cat "$WORK/same.err")"
    [ ! -e "$WORK/run.txt" ] || fail "the refused command line wrote a file"
    # The default factor on a 1280 x 1024 screen is 5: the largest up to 6
    # within two thirds of the screen. The window is centred. A recording
    # that cannot be written is reported with the reason, and the game plays
    # on; the trace goes to standard output.
    start_game --record "$WORK/no/such/folder/run.txt" --trace -
    wait_window
    grep -q "cannot write the recording $WORK/no/such/folder/run.txt: No such file or directory" "$WORK/game.out" ||
      fail "no word of the unwritable recording"
    [ "$(xdotool getwindowname "$WID")" = "Pinwick" ] || fail "title '$(xdotool getwindowname "$WID")'"
    [ "$WIN_W" -eq 800 ] && [ "$WIN_H" -eq 350 ] || fail "window ${WIN_W}x${WIN_H}, not 800x350"
    [ "$WIN_X" -eq $(((SCREEN_W - 800) / 2)) ] && [ "$WIN_Y" -eq $(((SCREEN_H - 350) / 2)) ] ||
      fail "window at $WIN_X,$WIN_Y, not centred"
    xprop -id "$WID" _NET_WM_ICON | grep -q "Icon (32 x 32)" || fail "no 32 x 32 icon on the window"
    xprop -id "$WID" WM_NORMAL_HINTS | grep -q "minimum size: 800 by 350" || fail "the window can be resized"
    # Esc ends the game at once, with status 1.
    xdotool key --window "$WID" Escape
    wait_exit "$GAME_PID"
    [ "$EXIT_STATUS" -eq 1 ] || fail "Esc ended the game with status $EXIT_STATUS, not 1"
    grep -q '^f=1 t=0 sc=2 ' "$WORK/game.out" && grep -q '^exit=1$' "$WORK/game.out" ||
      fail "no trace on standard output"
    # --scale sets the factor. A trace that fills the disk is reported with
    # the reason when its first second is written, and the game plays on; so
    # is a frame log into the standard output the game was started without,
    # and the recording opened meanwhile does not take its place.
    PINWICK_FRAME_LOG=- "$GAME" --scale 2 --record "$WORK/run.txt" --trace /dev/full >&- 2>"$WORK/game.out" &
    GAME_PID=$!
    track $GAME_PID
    wait_window
    [ "$WIN_W" -eq 320 ] && [ "$WIN_H" -eq 140 ] || fail "--scale 2 gave ${WIN_W}x${WIN_H}, not 320x140"
    for said in "could not write the trace /dev/full: No space left on device" \
                "could not write the frame log standard output: Bad file descriptor"; do
      for _ in $(seq 1 $((TIMEOUT * 5))); do
        grep -q "$said" "$WORK/game.out" && break
        sleep 0.2
      done
      grep -q "$said" "$WORK/game.out" || fail "no word of the failed output: $said"
    done
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended when its outputs failed"
    xdotool key --window "$WID" Escape
    wait_exit "$GAME_PID"
    ! grep -qE '^[0-9]+ [0-9]+$' "$WORK/run.txt" || fail "the frame log went into the recording"
    grep -q '^# complete up to frame [0-9]*, exit 1$' "$WORK/run.txt" || fail "the recording is not whole"
    ;;
  title_pixels)
    start_game --scale 3
    wait_window
    wait_shot_matches "$(expected_title 3)"
    ;;
  play)
    start_game --scale 3
    wait_window
    play_a_move
    ;;
  quick_click)
    # Press and release in one xdotool call fall between two frames, as a
    # quick click or a touchpad tap does; the white card still starts a match.
    start_game --scale 3
    wait_window
    wait_shot_matches "$(expected_title 3)"
    shot "$WORK/title_now.png"
    s=$(scale)
    xdotool mousemove $((WIN_X + 40 * s + s / 2)) $((WIN_Y + (MENU_ROWS + 30) * s + s / 2))
    sleep 0.1
    xdotool mousedown 1 mouseup 1
    wait_pixel_change "$WORK/title_now.png" 80 20
    ;;
  single_instance)
    start_game --scale 2
    wait_window
    first=$GAME_PID
    # A second start ends at once with status 0, says why, and leaves the
    # first alone.
    start_game --scale 2
    wait_exit "$GAME_PID"
    [ "$EXIT_STATUS" -eq 0 ] || fail "the second start gave status $EXIT_STATUS, not 0"
    grep -qF "another copy is already running (lock $XDG_RUNTIME_DIR/Pinwicker.lock)" "$WORK/game.out" ||
      fail "the second start did not say why it ended: $(cat "$WORK/game.out")"
    kill -0 "$first" 2>/dev/null || fail "the first game ended"
    [ "$(xdotool search --onlyvisible --name '^Pinwick$' | wc -l)" -eq 1 ] || fail "more than one window"
    # A crashed game does not block the next start, nor does one ended by
    # SIGTERM, nor one whose X server went away: that one ends by itself.
    kill -9 "$first"
    wait_exit "$first"
    start_game --scale 2
    wait_window
    kill -TERM "$GAME_PID"
    wait_exit "$GAME_PID"
    [ "$EXIT_STATUS" -eq 143 ] || fail "SIGTERM ended the game with status $EXIT_STATUS, not 143"
    start_game --scale 2
    wait_window
    kill "$XVFB_PID"
    wait_exit "$GAME_PID"
    [ "$EXIT_STATUS" -eq 1 ] || fail "the game ended with status $EXIT_STATUS, not 1, when its X server went away"
    ! grep -E 'ERROR: (Address|Leak)Sanitizer|runtime error' "$WORK/game.out" || fail "the sanitizers spoke"
    start_x
    start_game --scale 2
    wait_window
    kill -0 "$GAME_PID" 2>/dev/null || fail "the start after the X server went away did not run"
    ;;
  environment)
    # No display: SDL would fall back on a driver that shows nothing, and the
    # game would play unseen for ever. It says so and ends with status 0,
    # leaving the lock free for a start on the display.
    (unset DISPLAY WAYLAND_DISPLAY; exec "$GAME" --scale 2) >"$WORK/game.out" 2>&1 &
    GAME_PID=$!
    track $GAME_PID
    wait_exit "$GAME_PID"
    [ "$EXIT_STATUS" -eq 0 ] || fail "with no display the game gave status $EXIT_STATUS, not 0"
    grep -q "no display to open a window on" "$WORK/game.out" || fail "no word of the missing display"
    start_game --scale 2
    wait_window
    kill -9 "$GAME_PID"
    wait_exit "$GAME_PID"
    # A lock file that another user could hold (only root can make one of
    # theirs; a FIFO will do otherwise) is not used: the game says so and
    # plays unguarded.
    lock=$XDG_RUNTIME_DIR/Pinwicker.lock
    rm -f "$lock"
    if [ "$(id -u)" -eq 0 ]; then
      : >"$lock"
      chown 12345 "$lock"
    else
      mkfifo "$lock"
    fi
    start_game --scale 2
    wait_window
    grep -qF "the lock file $lock is not a regular file of this user's" "$WORK/game.out" ||
      fail "no word of the lock file: $(cat "$WORK/game.out")"
    ;;
  close)
    start_game --scale 3
    wait_window
    wait_shot_matches "$(expected_title 3)"
    whole_shot "$WORK/before.png"
    s=$(scale)
    # The close box asks: the dialog's pale body covers the red card's edge.
    probe_x=$((110 * s + s / 2)) probe_y=$((36 * s + s / 2))
    [ "$(pixel "$WORK/before.png" $probe_x $probe_y)" != "f4f0e4" ] || fail "the probe point is pale already"
    "$XHELPER" close "$WID"
    for _ in $(seq 1 $((TIMEOUT * 5))); do
      whole_shot "$WORK/asking.png"
      [ "$(pixel "$WORK/asking.png" $probe_x $probe_y)" = "f4f0e4" ] && break
      sleep 0.2
    done
    [ "$(pixel "$WORK/asking.png" $probe_x $probe_y)" = "f4f0e4" ] || fail "no dialog after the close box"
    # No (Esc) leaves the game running as it was.
    xdotool key --window "$WID" Escape
    sleep 1
    kill -0 "$GAME_PID" 2>/dev/null || fail "No ended the game"
    whole_shot "$WORK/after.png"
    [ "$(compare -metric AE "$WORK/after.png" "$WORK/before.png" null: 2>&1 || true)" = "0" ] ||
      fail "the window did not come back as it was after No"
    # Game > Exit asks the same; Yes (Enter) ends the game with status 1.
    click_canvas 8 4
    sleep 0.5
    click_canvas 8 26
    sleep 1
    xdotool key --window "$WID" Return
    wait_exit "$GAME_PID"
    [ "$EXIT_STATUS" -eq 1 ] || fail "Yes ended the game with status $EXIT_STATUS, not 1"
    ;;
  record)
    # A recorded run replays headless to the same trace, frame for frame,
    # the player's choice of level included. Each step waits for the game to
    # be where the next input belongs, so the run takes the same course on a
    # slow machine: white's move, the computer's reply hurried by Z, a second
    # move (found on the board the computer left) and a reply in the
    # computer's own time, whose length comes from its random choices.
    start_game --scale 3 --level 2 --record "$WORK/run.txt" --trace "$WORK/live.trace"
    wait_window
    wait_shot_matches "$(expected_title 3)"
    press_at 40 30
    frame=$(wait_trace 0 "$HUMAN_TURN")
    press_square 5 3                                  # (5, 3) captures (4, 3)
    frame=$(wait_trace "$frame" "$COMPUTER_TURN")
    xdotool key --window "$WID" z                     # the computer replies at once
    frame=$(wait_trace "$frame" "$HUMAN_TURN")
    square=$(legal_square "$frame")
    [ -n "$square" ] || fail "no legal square for white at frame $frame"
    press_square $square
    frame=$(wait_trace "$frame" "$COMPUTER_TURN")
    frame=$(wait_trace "$frame" "$HUMAN_TURN")
    press_square 3 3                                  # taken: refused with a beep
    # The close box asks (its pale body covers the red card's edge); No goes on.
    s=$(scale)
    probe_x=$((110 * s + s / 2)) probe_y=$((36 * s + s / 2))
    "$XHELPER" close "$WID"
    for _ in $(seq 1 $((TIMEOUT * 5))); do
      whole_shot "$WORK/asking.png"
      [ "$(pixel "$WORK/asking.png" $probe_x $probe_y)" = "f4f0e4" ] && break
      sleep 0.2
    done
    [ "$(pixel "$WORK/asking.png" $probe_x $probe_y)" = "f4f0e4" ] || fail "no dialog after the close box"
    asked=$(awk '/^f=/ { last = substr($1, 3) } END { print last + 0 }' "$WORK/live.trace")
    xdotool key --window "$WID" Escape
    wait_trace "$asked" "sc=3 " >/dev/null            # the game runs again
    xdotool key --window "$WID" Escape                # Esc ends the program
    wait_exit "$GAME_PID"
    grep -q ' answer no$' "$WORK/run.txt" || fail "the close confirmation's answer was not recorded"
    grep -q '^0 level 2$' "$WORK/run.txt" || fail "the level was not recorded"
    grep -v '^#' "$WORK/run.txt" >"$WORK/run-events.txt"
    "$(dirname "$TOOL")/pinwick-test-script" "$WORK/run.txt" >"$WORK/written-back.txt" &&
      cmp -s "$WORK/run-events.txt" "$WORK/written-back.txt" ||
      fail "the recording does not read back as written: $(diff "$WORK/run-events.txt" "$WORK/written-back.txt" | head -n 4)"
    run_tracked timeout "$TIMEOUT" "$TOOL" replay --script "$WORK/run.txt" --trace "$WORK/replay.trace" 2>"$WORK/replay.err" ||
      fail "the replay failed: $(cat "$WORK/replay.err")"
    sed 's/ t=[0-9]*//' "$WORK/live.trace" >"$WORK/live-untimed.trace"
    cmp -s "$WORK/live-untimed.trace" "$WORK/replay.trace" ||
      fail "the replay differs from the live run: $(diff "$WORK/live-untimed.trace" "$WORK/replay.trace" | head -n 4)"
    ;;
  record_killed)
    # A game killed part-way leaves a recording that replays up to its last
    # complete frame: killed once the recording holds white's move and at
    # least 100 frames.
    start_game --scale 3 --record "$WORK/run.txt" --trace "$WORK/live.trace"
    wait_window
    wait_shot_matches "$(expected_title 3)"
    press_at 40 30
    frame=$(wait_trace 0 "$HUMAN_TURN")
    press_square 5 3
    frame=$(wait_trace "$frame" "$COMPUTER_TURN")
    [ "$frame" -ge 100 ] || frame=100
    for _ in $(seq 1 $((TIMEOUT * 5))); do
      last=$(sed -n 's/^# complete up to frame \([0-9]*\).*/\1/p' "$WORK/run.txt" | tail -n 1)
      [ -n "$last" ] && [ "$last" -ge "$frame" ] && break
      sleep 0.2
    done
    kill -9 "$GAME_PID"
    wait_exit "$GAME_PID"
    last=$(sed -n 's/^# complete up to frame \([0-9]*\).*/\1/p' "$WORK/run.txt" | tail -n 1)
    [ -n "$last" ] && [ "$last" -ge "$frame" ] || fail "the recording holds too little: $(tail -n 3 "$WORK/run.txt")"
    run_tracked timeout "$TIMEOUT" "$TOOL" replay --script "$WORK/run.txt" --frames "$last" --trace "$WORK/replay.trace" 2>"$WORK/replay.err" ||
      fail "the replay failed: $(cat "$WORK/replay.err")"
    sed 's/ t=[0-9]*//' "$WORK/live.trace" | head -n "$last" >"$WORK/live-untimed.trace"
    head -n "$(wc -l <"$WORK/live-untimed.trace")" "$WORK/replay.trace" >"$WORK/replay-head.trace"
    [ "$(wc -l <"$WORK/live-untimed.trace")" -ge "$frame" ] || fail "the live trace holds too little"
    cmp -s "$WORK/live-untimed.trace" "$WORK/replay-head.trace" ||
      fail "the replay differs from the live run: $(diff "$WORK/live-untimed.trace" "$WORK/replay-head.trace" | head -n 4)"
    ;;
  sound_gone)
    # The sound device goes away while the game runs: SDL's disk driver
    # writes into a file that may grow to 32 KiB, about 1.5 s of sound, and
    # takes the device as gone once a write fails. The game says so once and
    # plays on, silent.
    (
      trap '' XFSZ
      ulimit -f 32
      SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$WORK/sound.raw" exec "$GAME" --scale 3
    ) >"$WORK/game.out" 2>&1 &
    GAME_PID=$!
    track $GAME_PID
    wait_window
    for _ in $(seq 1 $((TIMEOUT * 5))); do
      grep -q "sound device went away" "$WORK/game.out" && break
      sleep 0.2
    done
    grep -q "sound device went away" "$WORK/game.out" || fail "the sound device never went away"
    play_a_move
    [ "$(grep -c "sound device went away" "$WORK/game.out")" -eq 1 ] || fail "told more than once"
    ;;
  locale_en | locale_ja)
    # Without --lang the locale's language shows: English for an English
    # one, Japanese for a Japanese one, whatever LANG says when LC_ALL or
    # LC_MESSAGES does not.
    if [ "$CASE" = locale_en ]; then language=en locale=en_US.UTF-8; else language=ja locale=ja_JP.UTF-8; fi
    LANG=$locale start_game --scale 3 --record "$WORK/run.txt"
    wait_window
    wait_shot_matches "$(expected_title 3 $language)"
    xdotool key --window "$WID" Escape
    wait_exit "$GAME_PID"
    # The recording says English, and only English, so that it replays so.
    if [ "$language" = en ]; then lines=1; else lines=0; fi
    [ "$(grep -c '^0 lang en$' "$WORK/run.txt")" -eq "$lines" ] && ! grep -q '^0 lang ja' "$WORK/run.txt" ||
      fail "the recording's language lines: $(grep '^0 lang' "$WORK/run.txt")"
    ;;
  *)
    fail "unknown case"
    ;;
esac
echo "ok: $CASE"
