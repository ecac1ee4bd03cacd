# The two commands of the README, plus the benchmark. Each one installs the
# Debian packages it is missing before it builds.
.PHONY: all deps deps-build deps-win32 deps-web deps-package build build-asan win32 win32-release web package test play bench fuzz soak clean goldens

JOBS ?= $(shell nproc 2>/dev/null || echo 2)

all: build

# Each target installs only the packages it needs (scripts/install-deps
# --list TARGET shows them); make test installs them all.
deps:
	@scripts/install-deps test

deps-build deps-win32 deps-web deps-package:
	@scripts/install-deps $(patsubst deps-%,%,$@)

build: deps-build
	cmake --preset linux
	cmake --build --preset linux -j $(JOBS)

build-asan: deps-build
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)

# The Windows program, cross-built; make test runs it under Wine.
win32: deps-win32
	cmake --preset win32
	cmake --build --preset win32 -j $(JOBS)

# The zip for Windows players: the same pinwick.exe the Wine tests run, and
# a read-me (build/win32/pinwick-VERSION-win32.zip).
win32-release: win32
	cmake --build --preset win32 --target win32_release
	@ls -l build/win32/pinwick-*-win32.zip

# The page: index.html, pinwick.js and pinwick.wasm in build/web, built by
# Debian's Emscripten. Its optimiser needs Debian's Node.js modules.
web: deps-web
	NODE_PATH=/usr/share/nodejs cmake --preset web
	NODE_PATH=/usr/share/nodejs cmake --build --preset web -j $(JOBS)

# The Debian package, made by CPack from the installed tree (build/package/).
package: deps-package build
	rm -f build/package/pinwick_*.deb
	cd build && cpack
	lintian build/package/pinwick_*.deb
	@ls -l build/package/pinwick_*.deb

# A check this machine cannot run (Wine without its 32-bit half, say) is
# reported skipped with its reason at the end of each run.
test: deps build build-asan win32 web
	PINWICK_REQUIRE_WIN32=1 PINWICK_REQUIRE_WEB=1 ctest --preset linux -j $(JOBS); \
	  status=$$?; tests/report_skipped.sh build; exit $$status
	ctest --preset asan -j $(JOBS); status=$$?; tests/report_skipped.sh build/asan; exit $$status

play: build
	build/bin/pinwick

bench: deps build win32 web
	build/bin/pinwick-bench --benchmark_repetitions=9 --benchmark_report_aggregates_only=true
	tests/bench/sdl_resources.sh build/bin/pinwick build/bin/pinwick-test-x
	tests/bench/frame_pacing.sh build/bin/pinwick build/win32/bin/pinwick.exe
	tests/bench/win32_size.sh build/win32/bin/pinwick.exe
	python3 tests/bench/web_page.py build/web

# Every decoder and parser of outside input (the bitmap decoder, the icon
# and cursor decoder, the replay-script parser) under libFuzzer, built with
# clang outside the presets, FUZZ_SECONDS each.
FUZZ_SECONDS ?= 30

fuzz: deps build
	tests/fuzz/fuzz.sh build/fuzz $(FUZZ_SECONDS)

# Both monkeys over several seeds, 10^6 frames each, and 10^4 whole selfplay
# matches, in the sanitizer build: one summary line per run.
soak: build-asan
	tests/soak.sh build/asan/bin/pinwick-tool $(JOBS)

clean:
	rm -rf build

# Rewrites the expected traces and pictures of the golden replays from the
# current build. Read the diff before committing it.
goldens: build
	for s in tests/e2e/replays/*.txt; do \
	  cmake -DTOOL=build/bin/pinwick-tool -DPNG_COMPARE=build/bin/pinwick-png-compare -DSCRIPT=$$s -DOUT=build/goldens \
	    -DUPDATE=1 -P tests/e2e/replay_golden.cmake || exit 1; \
	done
