#!/usr/bin/env bash
# make fuzz: every decoder and parser of outside input under libFuzzer
# (clang, AddressSanitizer and UBSan), built outside the presets and run for
# SECONDS each from its seeds. Corpora grow in OUT/NAME/corpus from run to
# run; whatever a target finds is kept as OUT/NAME/crash-* and fails the run.
#   tests/fuzz/fuzz.sh OUT SECONDS   (from the source tree, after the linux build)
set -uo pipefail

out=$1
seconds=$2
pictures=build/res/pictures  # the game's pictures, icon and cursor, drawn by the build
flags=(-std=c++17 -g -O1 -Wall -Wextra -Werror -I. -Ibuild/generated
       -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all)
failed=0

for f in "$pictures/ICON_MAIN.ico" "$pictures/CURSOR_S.cur" build/generated/app/version.h build/bin/pinwick-tool; do
  [ -f "$f" ] || { echo "fuzz: $f is missing (make build makes it)"; exit 1; }
done

# build NAME SOURCE...: the target's program, and empty seed and corpus folders.
build() {
  local name=$1
  shift
  mkdir -p "$out/$name/seeds" "$out/$name/corpus"
  clang++ "${flags[@]}" "$@" -o "$out/$name/fuzz" || { echo "fuzz: $name does not build"; exit 1; }
}

# run NAME MAX_LEN [OPTION...]: one target for SECONDS, then its line of figures.
run() {
  local name=$1 max_len=$2 log=$out/$1/log status
  shift 2
  "$out/$name/fuzz" -max_total_time="$seconds" -max_len="$max_len" -artifact_prefix="$out/$name/" "$@" \
    "$out/$name/corpus" "$out/$name/seeds" >"$log" 2>&1
  status=$?
  local runs corpus
  runs=$(sed -n 's/^Done \([0-9]*\) runs in.*/\1/p' "$log" | tail -n1)
  corpus=$(find "$out/$name/corpus" -type f | wc -l)
  if [ $status -eq 0 ]; then
    echo "fuzz: $name: ${runs:-?} runs in $seconds s, corpus $corpus inputs, nothing found"
  else
    echo "fuzz: $name: FAILED (status $status), see $log and $out/$name/crash-*"
    grep -m1 -A12 -E '^==[0-9]+==ERROR|runtime error|deadly signal' "$log"
    failed=1
  fi
}

# The bitmap decoder: the gfx tests' pictures.
build bmp-decode gfx/bmp_decode.cpp tests/fuzz/fuzz_bmp_decode.cpp
clang++ -std=c++17 -O1 -I. tests/test_gfx_make_bitmaps.cpp -o "$out/make-seeds" &&
  "$out/make-seeds" "$out/bmp-decode/seeds" || exit 1
run bmp-decode 8192

# The SDL build's icon and cursor decoder: the game's own icon and cursor.
build icon-file app/sdl/icon_file.cpp gfx/bmp_decode.cpp tests/fuzz/fuzz_icon_file.cpp
cp "$pictures/ICON_MAIN.ico" "$pictures/CURSOR_S.cur" "$out/icon-file/seeds/"
run icon-file 8192

# The replay-script parser: the golden scripts, and the scripts' words.
build replay-script app/replay_script.cpp app/printable_text.cpp \
  tests/fuzz/fuzz_replay_script.cpp
cp tests/e2e/replays/*.txt "$out/replay-script/seeds/"
run replay-script 16384 -dict=tests/fuzz/replay_script.dict

# The wave reader: the game's eight sounds as the tool writes them.
build wav-read sound/wav_read.cpp tests/fuzz/fuzz_wav_read.cpp
build/bin/pinwick-tool sounds "$out/wav-read/seeds" >/dev/null || exit 1
run wav-read 32768

exit $failed
