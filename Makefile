# Kordane: the two commands a new user needs are `make run` and `make test`.
BUILD     ?= build
JOBS      ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_ARGS ?=

.PHONY: all deps build run test asan fuzz bench clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORDANE_WERROR=ON $(CMAKE_ARGS)

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

# Starts the local VCX test server and the client connected to it.
run: build
	@scripts/run-demo $(BUILD)

test: build
	@scripts/run-tests $(BUILD)

# The same suite with AddressSanitizer and UndefinedBehaviorSanitizer.
asan: deps
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DKORDANE_WERROR=ON -DKORDANE_SANITIZE=ON
	cmake --build build-asan -j $(JOBS)
	@scripts/run-tests build-asan

# libFuzzer targets (clang); run one as build-fuzz/fuzz/fuzz_NAME -runs=N fuzz/corpus/NAME.
fuzz: deps
	CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DKORDANE_FUZZ=ON -DKORDANE_GUI=OFF -DKORDANE_BENCH=OFF
	cmake --build build-fuzz -j $(JOBS)

bench: build
	@for b in $(BUILD)/bench/bench_*; do echo "== $$b"; $$b; done

clean:
	rm -rf $(BUILD) build-asan build-fuzz
