#!/usr/bin/env bash
# The Windows program and the cross-built tool under Wine on a private X
# server, checked against the native headless build.
#   wine_tests.sh WIN32_BIN_DIR NATIVE_TOOL WORK_DIR
# One Wine prefix is made in WORK_DIR for the whole run and shared by every
# check; Wine and the X server are always stopped at the end. Every wait polls
# with a deadline, so a check that cannot see what it waits for fails with a
# message instead of hanging.
set -uo pipefail

win32_bin=$1
native_tool=$2
work=$3
source "$(dirname "${BASH_SOURCE[0]}")/wine_prefix.sh"

game_exe=$win32_bin/pinwick.exe
tool_exe=$win32_bin/pinwick-tool.exe
probe_exe=$win32_bin/pinwick-probe.exe
standin_exe=$win32_bin/pinwick-volume-standin.exe

# ImageMagick's own convert, even where a wrapper of that name comes first.
convert_bin=$(command -v /usr/bin/convert || command -v convert)

step_timeout=60       # one wine command
poll_timeout=20       # waiting for a picture or for the game to end

passed=0
failed=0
ok() { echo "ok   $1"; passed=$((passed + 1)); }
fail() { echo "FAIL $1: $2"; failed=$((failed + 1)); }

# make test builds the Windows programs first and insists on them; a plain
# ctest run without them skips (exit 77).
for f in "$game_exe" "$tool_exe" "$probe_exe" "$standin_exe"; do
  if [ ! -f "$f" ]; then
    if [ "${PINWICK_REQUIRE_WIN32:-0}" = 1 ]; then
      echo "FAIL setup: $f is missing (make win32 builds it)"
      exit 1
    fi
    echo "skipped: $f is missing (make win32 builds it)"
    exit 77
  fi
done

# Wine's loader is a 32-bit x86 program: a kernel built without 32-bit
# support cannot start it, and no package mends that, so the check is
# skipped then, make test or not, with the reason.
if ! wine --version >/dev/null 2>&1 && ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  echo "skipped: this machine's kernel runs no 32-bit x86 programs, so Wine cannot start" \
    "($(wine --version 2>&1 | tail -n1)); the Windows program is built but not run"
  exit 77
fi

# Debian splits Wine in two: without its 32-bit half (wine32:i386, which a
# mirror in mid-sync can leave uninstallable) only 64-bit programs start.
if [ -x /usr/lib/wine/wine64 ] && [ ! -x /usr/lib/wine/wine ]; then
  echo "skipped: Wine's 32-bit half (the package wine32:i386) is not installed, so Wine cannot start" \
    "pinwick.exe; scripts/install-deps installs it when the mirror offers it"
  exit 77
fi

rm -rf "$work"
mkdir -p "$work"

xvfb_pid=""
game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
  # Only once our prefix exists: without it this would stop someone else's.
  [ "${WINEPREFIX:-}" = "$work/prefix" ] && timeout 30 wineserver -k 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
}
trap cleanup EXIT
# Stopped (the test's timeout, Ctrl-C): the cleanup still runs.
trap 'exit 143' TERM
trap 'exit 130' INT

# The X server picks a free display and tells us which.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 1 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
if [ ! -s "$work/display" ]; then
  echo "FAIL setup: Xvfb did not start: $(cat "$work/xvfb.log")"
  exit 1
fi
export DISPLAY=:$(head -n1 "$work/display")

if ! make_wine_prefix "$work/prefix" "$work/wineboot.log"; then
  echo "FAIL setup: $WINE_PREFIX_ERROR"
  exit 1
fi

# --- helpers ---

# probe CMD: the probe's key=value lines, without carriage returns.
probe() { timeout "$step_timeout" wine "$probe_exe" "$1" 2>/dev/null | tr -d '\r'; }
value_of() { sed -n "s/^$1=//p" <<<"$2" | head -n1; }

# Grabs a w x h rectangle of the screen at (x, y).
grab() { import -window root -crop "$3x$4+$1+$2" +repage "$5" 2>/dev/null; }

# same_pixels A B: 1 when the two pictures are identical.
same_pixels() {
  local diff
  diff=$(compare -metric AE "$1" "$2" null: 2>&1)
  [ "$diff" = "0" ]
}

# wait_for_pixels X Y W H REFERENCE: polls the screen until the rectangle
# equals the reference picture; 1 after poll_timeout seconds.
wait_for_pixels() {
  local deadline=$((SECONDS + poll_timeout))
  while [ $SECONDS -lt $deadline ]; do
    if grab "$1" "$2" "$3" "$4" "$work/screen.png" && same_pixels "$work/screen.png" "$5"; then return 0; fi
    sleep 0.1
  done
  return 1
}

# A press and a release that both fall between two frames leave no click, so
# the button is held for a moment.
click_at() {
  xdotool mousemove "$1" "$2" mousedown 1
  sleep 0.15
  xdotool mouseup 1
}

# Wine keeps a window's last picture on the screen, so only the white card
# lighting up under the pointer shows that the game runs frames; then the
# pointer leaves and the plain title must come back.
wait_for_frames() {
  xdotool mousemove $((ox + 40)) $((oy + 30))
  wait_for_pixels "$ox" "$oy" 160 60 "$work/hover.png" || return 1
  xdotool mousemove 0 0
  wait_for_pixels "$ox" "$oy" 160 60 "$work/title.png"
}

game_running() { [ ! -f "$work/game.rc" ]; }

wait_for_game_end() {
  local deadline=$((SECONDS + poll_timeout))
  while [ $SECONDS -lt $deadline ]; do
    [ -f "$work/game.rc" ] && return 0
    sleep 0.1
  done
  return 1
}

# --- the headless references ---

"$native_tool" replay --frames 100 --shot "100:$work/title.png" >/dev/null ||
  { echo "FAIL setup: the native replay of the title failed"; exit 1; }
# The title with the pointer on the white card, which lights up.
echo "1 mouse 40 30" >"$work/hover.script"
"$native_tool" replay --script "$work/hover.script" --frames 100 --shot "100:$work/hover.png" >/dev/null ||
  { echo "FAIL setup: the native replay of the lit card failed"; exit 1; }
# White card, then the legal square (5, 3): frame 59 shows the opening board,
# frame 100 the stone and its turned neighbour, before the computer replies.
cat >"$work/stone.script" <<'EOF'
20 click 40 30
60 click 89 27
EOF
"$native_tool" replay --script "$work/stone.script" --frames 100 --shot "59:$work/opening.png" \
  --shot "100:$work/placed.png" >/dev/null || { echo "FAIL setup: the native replay of a move failed"; exit 1; }
# The board: 48 x 48 pixels at (56, 6).
"$convert_bin" "$work/opening.png" -crop 48x48+56+6 +repage "$work/opening_board.png"
"$convert_bin" "$work/placed.png" -crop 48x48+56+6 +repage "$work/placed_board.png"

# --- the game ---

(timeout 600 wine "$game_exe" >"$work/game.log" 2>&1; echo $? >"$work/game.rc.tmp"; mv "$work/game.rc.tmp" "$work/game.rc") &
game_pid=$!

info=$(probe window)
if [ "$(value_of class "$info")" = "Pinwick" ] && [ "$(value_of title "$info")" = "Pinwick" ] &&
  [ "$(value_of client "$info")" = "160x60" ]; then
  ok "window: class and title Pinwick, client area 160 x 60"
else
  fail "window" "expected class and title Pinwick with a 160x60 client area, the probe saw: $(tr '\n' ' ' <<<"$info")"
  exit 1
fi
origin=$(value_of origin "$info")
ox=${origin%,*}
oy=${origin#*,}

# The pointer well away from the cards, as in the headless run.
xdotool mousemove 0 0
if wait_for_pixels "$ox" "$oy" 160 60 "$work/title.png"; then
  ok "title: the client pixels equal the headless frame 100"
else
  fail "title" "the client area never matched the headless frame (last grab: $work/screen.png)"
fi

if timeout 30 wine "$game_exe" >/dev/null 2>&1; then second=0; else second=$?; fi
if [ "$second" = "0" ] && game_running; then
  ok "single instance: a second start exits 0 and the first runs on"
else
  fail "single instance" "second start exited $second; first still running: $(game_running && echo yes || echo no)"
fi

closebox=$(value_of closebox "$info")
if [ -z "$closebox" ] || [ "$closebox" = "none" ]; then
  fail "close box" "the probe found no close box"
else
  xdotool mousemove "${closebox%,*}" "${closebox#*,}" click 1
  dialog=$(probe dialog)
  if [ "$(value_of dialog "$dialog")" = "Pinwick" ] && [ "$(value_of question "$dialog")" = "End？" ] &&
    [ "$(value_of yes "$dialog")" = "はい" ] && [ "$(value_of no "$dialog")" = "いいえ" ]; then
    ok "close box: the dialog asks End？ with はい and いいえ"
  else
    fail "close box" "the dialog was not as expected: $(tr '\n' ' ' <<<"$dialog")"
  fi
  no_button=$(value_of nobutton "$dialog")
  if [ -n "$no_button" ]; then
    click_at "${no_button%,*}" "${no_button#*,}"
    if probe gone >/dev/null && game_running && wait_for_frames; then
      ok "close box: いいえ leaves the game running"
    else
      fail "close box" "after いいえ the dialog stayed, the game ended or stopped drawing"
    fi
  fi
fi

# Ver through the keyboard (F10 opens the menu bar; the probe cannot read the
# menu of another process): the box shows the version resource's numbers.
xdotool mousemove $((ox + 80)) $((oy + 17)) key F10 sleep 0.2 key Right sleep 0.2 key Right sleep 0.2 key Return
box=$(probe dialog)
if [ "$(value_of message "$box")" = "Pinwick Version 1.0.1" ] && grep -q '^Build [0-9]\{4\}/[0-9][0-9]/[0-9][0-9]$' <<<"$box"; then
  ok "version box: Pinwick Version 1.0.1 and the build date"
else
  fail "version box" "the box was not as expected: $(tr '\n' ' ' <<<"$box")"
fi
ok_button=$(value_of yesbutton "$box")
[ -n "$ok_button" ] && click_at "${ok_button%,*}" "${ok_button#*,}"
# Wine closes a box only after waiting in vain for a window manager; input
# given meanwhile would arrive all at once, so wait for frames to run.
if ! probe gone >/dev/null || ! wait_for_frames; then
  fail "version box" "the box did not close, or the game did not draw again"
fi

# Setting > Volume through the keyboard, the pointer over the emblem.
menu_volume() {
  xdotool mousemove $((ox + 80)) $((oy + 17)) key F10 sleep 0.2 key Right sleep 0.2 key Return sleep 0.2 key Return
}

# After the Volume command the game waits for 50 more messages before its
# next frame. Moving the pointer over the white card provides them, and the
# card lights up only when a frame has run; a box left open would stop it.
frames_resume_after_volume() {
  local deadline=$((SECONDS + poll_timeout)) resumed=1
  while [ $SECONDS -lt $deadline ]; do
    for dx in 0 1 2 3 4; do xdotool mousemove $((ox + 38 + dx)) $((oy + 30)) sleep 0.02; done
    if grab "$ox" "$oy" 160 60 "$work/screen.png" && same_pixels "$work/screen.png" "$work/hover.png"; then
      resumed=0
      break
    fi
  done
  xdotool mousemove 0 0
  return $resumed
}

# Wine has no volume control, so every launch fails and the box says so.
menu_volume
box=$(probe dialog)
if [ "$(value_of message "$box")" = "ボリューム設定を起動できませんでした" ]; then
  ok "volume: the box says the volume control could not be started"
else
  fail "volume" "the box was not as expected: $(tr '\n' ' ' <<<"$box")"
fi
ok_button=$(value_of yesbutton "$box")
[ -n "$ok_button" ] && click_at "${ok_button%,*}" "${ok_button#*,}"
probe gone >/dev/null
if frames_resume_after_volume; then
  ok "volume: after 50 more messages the frames run again"
else
  fail "volume" "the game did not run a frame again (last grab: $work/screen.png)"
fi

# The volume controls are stand-ins that leave NAME.started beside
# themselves, put in every folder a 32-bit program may be shown as its
# system folder (system32, or syswow64 in a 64-bit prefix).
system_dirs=()
for d in "$WINEPREFIX/drive_c/windows/system32" "$WINEPREFIX/drive_c/windows/syswow64"; do
  [ -d "$d" ] && system_dirs+=("$d")
done
install_standin() {
  local d
  for d in "${system_dirs[@]}"; do cp "$standin_exe" "$d/$1"; done
}
# Wine may spell the started program's name in another case.
standin_started() { [ -n "$(find "${system_dirs[@]}" -maxdepth 1 -iname "$1.started" 2>/dev/null)" ]; }
wait_for_standin() {
  local deadline=$((SECONDS + poll_timeout))
  while [ $SECONDS -lt $deadline ]; do
    standin_started "$1" && return 0
    sleep 0.1
  done
  return 1
}

# Windows Vista and later: SndVol.exe in the system folder, no Sndvol32.exe.
install_standin SndVol.exe
menu_volume
if ! wait_for_standin SndVol.exe; then
  fail "volume" "Volume did not start SndVol.exe from the system folder (${system_dirs[*]})"
elif ! frames_resume_after_volume; then
  fail "volume" "after SndVol.exe started the game ran no frame; open box: $(probe dialog | tr '\n' ' ')"
else
  ok "volume: without Sndvol32.exe, Volume starts SndVol.exe and shows no box"
fi

# Windows XP: Sndvol32.exe is there and is the one started, as designed. A
# wrong SndVol.exe would start within the same command as it, so a little
# after its mark appears, the other's would be there too.
find "${system_dirs[@]}" -maxdepth 1 -iname '*.started' -delete 2>/dev/null
install_standin Sndvol32.exe
menu_volume
if ! wait_for_standin Sndvol32.exe; then
  fail "volume" "Volume did not start Sndvol32.exe from the system folder"
elif ! frames_resume_after_volume || { sleep 2; standin_started SndVol.exe; }; then
  fail "volume" "with Sndvol32.exe there, SndVol.exe was started too or the game ran no frame"
else
  ok "volume: where Sndvol32.exe is, Volume starts it and not SndVol.exe"
fi

# The accelerator 'M' minimises; restored, the game draws again. With no
# window manager the keys go to the window under the pointer: the emblem,
# where there is no button.
xdotool mousemove $((ox + 80)) $((oy + 17)) key m
if ! probe iconic >/dev/null; then
  fail "minimise" "M did not minimise the window"
elif ! probe restore >/dev/null || ! wait_for_frames; then
  fail "minimise" "the game did not draw again after the window was restored"
else
  ok "minimise: M minimises the window and the game goes on when restored"
fi

click_at $((ox + 40)) $((oy + 30))
if wait_for_pixels $((ox + 56)) $((oy + 6)) 48 48 "$work/opening_board.png"; then
  click_at $((ox + 89)) $((oy + 27))
  if wait_for_pixels $((ox + 56)) $((oy + 6)) 48 48 "$work/placed_board.png"; then
    ok "move: the white card, then a legal square, plays a stone"
  else
    fail "move" "the board never showed the placed stone (last grab: $work/screen.png)"
  fi
else
  fail "move" "the white card did not start a match (last grab: $work/screen.png)"
fi

# The pointer stays over the game, where the key goes.
xdotool mousemove $((ox + 89)) $((oy + 27)) key Escape
if wait_for_game_end && [ "$(cat "$work/game.rc")" = "1" ]; then
  ok "escape: the game ends with exit code 1"
else
  fail "escape" "the game did not end with exit code 1 (ended: $(game_running && echo no || cat "$work/game.rc"))"
fi
game_pid=""

# A second run, ended through the close box and はい. At its 100th picture
# every DirectDraw surface is lost, as after a display change (the test
# hook PINWICK_LOSE_SURFACES): the pictures must come back and the title be
# drawn as before.
lose_at=100
rm -f "$work/game.rc" "$work/frames.log"
(PINWICK_LOSE_SURFACES=$lose_at PINWICK_FRAME_LOG=$(winepath -w "$work/frames.log" 2>/dev/null) \
  timeout 600 wine "$game_exe" >"$work/game.log" 2>&1; echo $? >"$work/game.rc.tmp"; mv "$work/game.rc.tmp" "$work/game.rc") &
game_pid=$!
info=$(probe window)
origin=$(value_of origin "$info")
ox=${origin%,*}
oy=${origin#*,}
xdotool mousemove 0 0
deadline=$((SECONDS + poll_timeout))
while [ $SECONDS -lt $deadline ] && [ "$(wc -l <"$work/frames.log" 2>/dev/null || echo 0)" -le $((lose_at + 10)) ]; do
  sleep 0.1
done
if [ "$(wc -l <"$work/frames.log" 2>/dev/null || echo 0)" -le $((lose_at + 10)) ]; then
  fail "lost surfaces" "the game did not get past its picture $lose_at"
elif wait_for_pixels "$ox" "$oy" 160 60 "$work/title.png"; then
  ok "lost surfaces: restored, the pictures reloaded and the title drawn as before"
else
  fail "lost surfaces" "the title did not come back after the surfaces were lost (last grab: $work/screen.png)"
fi
closebox=$(value_of closebox "$info")
if [ -n "$closebox" ] && [ "$closebox" != "none" ]; then
  xdotool mousemove "${closebox%,*}" "${closebox#*,}" click 1
  yes_button=$(value_of yesbutton "$(probe dialog)")
  [ -n "$yes_button" ] && click_at "${yes_button%,*}" "${yes_button#*,}"
fi
if wait_for_game_end && [ "$(cat "$work/game.rc")" = "1" ]; then
  ok "close box: はい ends the game with exit code 1"
else
  fail "close box" "はい did not end the game with exit code 1 (ended: $(game_running && echo no || cat "$work/game.rc"))"
fi
game_pid=""

# --- the cross-built tool against the native one ---

mkdir -p "$work/sounds-wine" "$work/sounds-native"
timeout "$step_timeout" wine "$tool_exe" sounds "$(winepath -w "$work/sounds-wine" 2>/dev/null)" >/dev/null 2>&1
"$native_tool" sounds "$work/sounds-native" >/dev/null
sounds_same=1
for n in 1 2 3 4 5 6 7 8; do
  cmp -s "$work/sounds-native/sound$n.wav" "$work/sounds-wine/sound$n.wav" || sounds_same=0
done
if [ $sounds_same = 1 ]; then
  ok "sounds: the eight WAV files are byte for byte the native ones"
else
  fail "sounds" "pinwick-tool.exe sounds wrote other bytes than the native tool ($work/sounds-*)"
fi

selfplay_same=1
for level in 0 1 2 3; do
  args=(selfplay --level "$level" --games 3 --seconds 13)
  timeout "$step_timeout" wine "$tool_exe" "${args[@]}" 2>/dev/null | tr -d '\r' >"$work/selfplay-wine-$level.txt"
  "$native_tool" "${args[@]}" >"$work/selfplay-native-$level.txt"
  [ -s "$work/selfplay-native-$level.txt" ] &&
    cmp -s "$work/selfplay-native-$level.txt" "$work/selfplay-wine-$level.txt" || selfplay_same=0
done
if [ $selfplay_same = 1 ]; then
  ok "selfplay: the computer players' games equal the native ones at every level"
else
  fail "selfplay" "pinwick-tool.exe selfplay printed other games ($work/selfplay-*)"
fi

echo "$passed passed, $failed failed"
[ $failed -eq 0 ]
