# Two commands set up everything on a fresh Debian 12 machine:
#   make run    build Varp and start it on the demo model
#   make test   build and pass every test (unit, sanitizer, GUI and end-to-end)
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 300
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?=

.PHONY: all deps configure build run test test-unit test-asan fuzz-build test-fuzz fuzz soak bench clean \
	format-check test-share

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

# The readers under libFuzzer (clang, AddressSanitizer, UndefinedBehaviorSanitizer).
fuzz-build: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARP_FUZZ=ON > /dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)

# A fixed number of inputs per target: part of every test run.
test-fuzz: fuzz-build
	@ctest --test-dir $(FUZZ_BUILD) --output-on-failure -L fuzz

# Each target for FUZZ_SECONDS seconds, growing the corpora under $(FUZZ_BUILD)/tests/fuzz/corpus.
fuzz: fuzz-build
	@d=$(abspath $(FUZZ_BUILD))/tests/fuzz; $$d/varp-fuzz-seeds $$d/seeds; \
	for t in Md2:md2 Resave:resave Pcx:pcx CommandLine:cmdline; do \
		n=$${t%%:*}; c=$${t##*:}; mkdir -p $$d/corpus/$$c; \
		echo "== fuzz_$$n for $(FUZZ_SECONDS) s"; \
		$$d/fuzz_$$n -max_total_time=$(FUZZ_SECONDS) -timeout=10 -print_final_stats=1 \
			$$d/corpus/$$c $$d/seeds/$$c || exit 1; \
	done

# Every tracked C++ file in the project's clang-format style.
format-check: deps
	@git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

# One line on the size of the tests beside the code (non-blank lines of tracked files).
test-share:
	@t=$$(git ls-files -z tests | xargs -0 cat | grep -cv '^\s*$$'); \
	s=$$(git ls-files -z src | xargs -0 cat | grep -cv '^\s*$$'); \
	awk -v t=$$t -v s=$$s 'BEGIN { printf "Lines: src/ %d, tests/ %d, tests/src %.2f\n", s, t, t / s }'

test: format-check test-unit test-asan test-fuzz
	@$(MAKE) --no-print-directory test-share

# The randomised soak of the editor core for SOAK_STEPS steps (make test runs 1000).
SOAK_STEPS ?= 2000000
soak: build
	@VARP_SOAK_STEPS=$(SOAK_STEPS) $(BUILD)/tests/soak/soak_tests

bench: build
	@for b in $(BUILD)/bench/varp-bench-*; do echo "== $$b"; $$b --benchmark_min_time=0.2; done

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
