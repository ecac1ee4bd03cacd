# The two commands of the README, plus the benchmark. Each one installs the
# Debian packages it is missing before it builds.
.PHONY: all deps build build-asan test play bench clean

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

test: build build-asan
	ctest --preset linux -j $(JOBS)
	ctest --preset asan -j $(JOBS)

play: build
	@echo "The windowed game comes later; for now, one match between two computer players:"
	build/bin/pinwick-tool selfplay --games 1 --show

bench: build
	build/bin/pinwick-bench --benchmark_repetitions=9 --benchmark_report_aggregates_only=true

clean:
	rm -rf build
