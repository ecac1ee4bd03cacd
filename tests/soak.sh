#!/usr/bin/env bash
# make soak: the monkey and the player over several seeds, SOAK_FRAMES frames
# each, and SOAK_GAMES whole selfplay matches, with the sanitizer build's
# tool, JOBS runs at a time. One summary line per run; any broken invariant,
# sanitizer report or short run fails the soak.
#   tests/soak.sh TOOL [JOBS]
#   SOAK_SEEDS (default "1 2 3"), SOAK_FRAMES (1000000), SOAK_GAMES (10000)
set -uo pipefail

tool=$1
jobs=${2:-2}
seeds=${SOAK_SEEDS:-1 2 3}
frames=${SOAK_FRAMES:-1000000}
games=${SOAK_GAMES:-10000}
selfplay_seconds=17

work=$(mktemp -d /tmp/pinwick-soak.XXXXXX)
trap 'rm -rf "$work"' EXIT

# monkey WHO SEED: one long run; its summary line, or why it failed. The
# local seconds differ from seed to seed, so the computer plays differently.
monkey() {
  local who=$1 seed=$2 err=$work/$1-$2.err
  if "$tool" replay --"$who" "$seed" --frames "$frames" --seconds $((seed * 7 % 60)) 2>"$err" &&
    grep -q "^pinwick-tool replay: $who $seed: $frames frames;" "$err"; then
    echo "soak: $(sed -n "s/^pinwick-tool replay: \($who $seed: .*\)/\1/p" "$err")"
  else
    echo "soak: $who $seed FAILED"
    grep -v -e 'confirm (no)' -e 'message: ' "$err" | tail -n 30
    return 1
  fi
}

# selfplay: whole matches between two computer players; how they ended.
selfplay() {
  local out=$work/selfplay.out start=$SECONDS
  if ! "$tool" selfplay --games "$games" --seconds "$selfplay_seconds" >"$out" 2>"$work/selfplay.err"; then
    echo "soak: selfplay FAILED"
    tail -n 30 "$work/selfplay.err"
    return 1
  fi
  awk -v want="$games" -v took=$((SECONDS - start)) '
    { split($NF, c, ":"); w += c[1] > c[2]; b += c[1] < c[2]; d += c[1] == c[2]; moves += NF - 2 }
    END {
      printf "soak: selfplay: %d games (white won %d, black %d, drawn %d), %d turns; %d s\n", NR, w, b, d, moves, took
      exit NR == want ? 0 : 1
    }' "$out" || { echo "soak: selfplay FAILED: not $games games"; return 1; }
}

runs=()
for seed in $seeds; do runs+=("monkey $seed" "player $seed"); done
runs+=("selfplay")

start=$SECONDS
failed=0
running=0
for run in "${runs[@]}"; do
  if [ "$running" -ge "$jobs" ]; then
    wait -n || failed=$((failed + 1))
    running=$((running - 1))
  fi
  if [ "$run" = selfplay ]; then selfplay & else monkey $run & fi
  running=$((running + 1))
done
while [ "$running" -gt 0 ]; do
  wait -n || failed=$((failed + 1))
  running=$((running - 1))
done

echo "soak: ${#runs[@]} runs, $failed failed; $((SECONDS - start)) s"
[ "$failed" -eq 0 ]
