# The two commands of the README, plus the benchmark. Each one installs the
# Debian packages it is missing before it builds.
.PHONY: all deps build build-asan win32 test play bench fuzz clean goldens

JOBS ?= $(shell nproc 2>/dev/null || echo 2)

all: build

deps:
	@scripts/install-deps

build: deps
	cmake --preset linux
	cmake --build --preset linux -j $(JOBS)

build-asan: deps
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)

# The Windows program, cross-built; make test runs it under Wine.
win32: deps
	cmake --preset win32
	cmake --build --preset win32 -j $(JOBS)

test: build build-asan win32
	PINWICK_REQUIRE_WIN32=1 ctest --preset linux -j $(JOBS)
	ctest --preset asan -j $(JOBS)

play: build
	build/bin/pinwick

bench: build win32
	build/bin/pinwick-bench --benchmark_repetitions=9 --benchmark_report_aggregates_only=true
	tests/bench/sdl_resources.sh build/bin/pinwick build/bin/pinwick-test-x
	tests/bench/frame_pacing.sh build/bin/pinwick build/win32/bin/pinwick.exe

# The bitmap decoder under libFuzzer for 30 s, built with clang outside the
# presets; the seeds are the gfx tests' own pictures.
FUZZ_DIR := build/fuzz
FUZZ_FLAGS := -std=c++17 -g -O1 -Wall -Wextra -Werror -I. -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all

fuzz: deps
	mkdir -p $(FUZZ_DIR)/seeds $(FUZZ_DIR)/corpus
	clang++ -std=c++17 -O1 -I. tests/test_gfx_make_bitmaps.cpp -o $(FUZZ_DIR)/make-seeds
	$(FUZZ_DIR)/make-seeds $(FUZZ_DIR)/seeds
	clang++ $(FUZZ_FLAGS) gfx/bmp_decode.cpp tests/fuzz/fuzz_bmp_decode.cpp -o $(FUZZ_DIR)/fuzz-bmp-decode
	$(FUZZ_DIR)/fuzz-bmp-decode -max_total_time=30 -max_len=8192 -artifact_prefix=$(FUZZ_DIR)/ $(FUZZ_DIR)/corpus $(FUZZ_DIR)/seeds

clean:
	rm -rf build

# Rewrites the expected traces and pictures of the golden replays from the
# current build. Read the diff before committing it.
goldens: build
	for s in tests/e2e/replays/*.txt; do \
	  cmake -DTOOL=build/bin/pinwick-tool -DSCRIPT=$$s -DOUT=build/goldens -DUPDATE=1 -P tests/e2e/replay_golden.cmake || exit 1; \
	done
