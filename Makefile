# Two commands set up everything on a fresh Debian 12 machine:
#   make run    build Varp and start it on the demo model
#   make test   build and pass every test (unit, sanitizer, GUI and end-to-end)
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?=

.PHONY: all deps configure build run test test-unit test-asan bench clean

all: build

deps:
	@./scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS) > /dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# The demo gets its own base folder and its own settings, in the build folder,
# so the user's own settings are never touched.
run: build
	@./scripts/run-demo.sh $(BUILD)

test-unit: build
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

test-asan: deps
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVARP_SANITIZE=ON -DVARP_GUI=OFF -DVARP_BENCH=OFF > /dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	@ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS) -L unit

test: test-unit test-asan

bench: build
	@for b in $(BUILD)/bench/varp-bench-*; do echo "== $$b"; $$b --benchmark_min_time=0.2; done

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
