# make run   - install what is missing, build, create the sample environment
#              and run a check-and-generate job on the sample function
# make test  - install what is missing, build with the sanitizers, run ctest
# make hooks - an optimised build with the tests' hooks (build/hooks), for
#              scripts/kill-generations and scripts/interrupt-generations
# make shuffle - the test build, then every test executable run whole in one
#              process, its tests shuffled by SEED (1), REPEAT (1) times over
#              (scripts/shuffle-tests)
# make format - apply .clang-format to every C and C++ source of the tree
# make bench  - build, then time check and generation against GnuCOBOL's cobc
#               on the benchmark's mix and on the progen mix (bench/run; RUNS
#               and SIZES to change the runs and the sizes; `scripts/setup
#               bench` adds valgrind and perf for profiling)
# make coverage - build with gcc's coverage counters (build/coverage), run
#              every test and print what they executed of src/ (scripts/coverage)
# make progen - build, then run the generator of valid functions and the
#              writer of components over SEEDS (1-1000) on all cores: check,
#              generate, gcc, C#, mcs, ZOPH2 (scripts/progen; PROGEN_ARGS for
#              more, e.g. --coverage, or --components for the components only)
# make fuzz  - build the libFuzzer targets with clang and run each for
#              FUZZ_SECONDS (600), two at a time (see scripts/fuzz)
# make mutate - plant the faults of MUTANTS (scripts/mutants.txt) one at a
#              time in a copy of the tree, run the tests that cover each and
#              print caught or survived, with a score per folder of src/
#              (scripts/mutate; MUTATE_ARGS for more, e.g. --only 3-7)
JOBS ?= $(shell nproc)
RELEASE := build/release
HOOKS := build/hooks
ASAN := build/asan
FUZZ_SECONDS ?= 600
SEEDS ?= 1-1000
SEED ?= 1
REPEAT ?= 1
MUTANTS ?= scripts/mutants.txt

.PHONY: all setup build hooks run test shuffle coverage fuzz format bench clean progen mutate

# The tests and scripts start python3 thousands of times: a version
# manager's shim in front of it (pyenv's takes up to two seconds a start on
# a busy machine) is stepped past by putting the interpreter's own folder
# first.
PYTHON_BIN := $(shell python3 -c 'import os, sys; print(os.path.dirname(sys.executable))' 2>/dev/null)
PYTHON_FOUND := $(shell dirname "$$(command -v python3)" 2>/dev/null)
ifneq ($(PYTHON_BIN),$(PYTHON_FOUND))
ifneq ($(PYTHON_BIN),)
export PATH := $(PYTHON_BIN):$(PATH)
endif
endif

all: build

setup:
	@scripts/setup

build: setup
	@cmake -S . -B $(RELEASE) -G Ninja -DCMAKE_BUILD_TYPE=Release -DDQOV_TESTS=OFF -DDQOV_TEST_HOOKS=OFF >/dev/null
	@cmake --build $(RELEASE) -j $(JOBS)

hooks: setup
	@cmake -S . -B $(HOOKS) -G Ninja -DCMAKE_BUILD_TYPE=Release -DDQOV_TESTS=OFF -DDQOV_TEST_HOOKS=ON >/dev/null
	@cmake --build $(HOOKS) -j $(JOBS)

run: build
	@scripts/run-sample $(RELEASE)

# The tool the tests run takes the test executables' sanitizer setting
# (tests/sanitizer_options.cpp) from the environment.
test: setup
	@cmake -S . -B $(ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DDQOV_SANITIZE=ON -DDQOV_TEST_HOOKS=ON >/dev/null
	@cmake --build $(ASAN) -j $(JOBS)
	@UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ASAN_OPTIONS=intercept_tls_get_addr=0 scripts/with-services ctest --test-dir $(ASAN) --output-on-failure -j $(JOBS)

shuffle: setup
	@cmake -S . -B $(ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DDQOV_SANITIZE=ON -DDQOV_TEST_HOOKS=ON >/dev/null
	@cmake --build $(ASAN) -j $(JOBS)
	@UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ASAN_OPTIONS=intercept_tls_get_addr=0 scripts/shuffle-tests --build $(ASAN) --seed $(SEED) --repeat $(REPEAT) --jobs $(JOBS)

progen: build
	@scripts/progen --build $(RELEASE) --jobs $(JOBS) --seeds $(SEEDS) $(PROGEN_ARGS)

mutate: setup
	@scripts/mutate --jobs $(JOBS) $(MUTATE_ARGS) $(MUTANTS)

bench: build
	@scripts/setup bench
	@bench/run $(RELEASE)

format: setup
	@find src include tests -name '*.cpp' -o -name '*.c' -o -name '*.h' | xargs clang-format -i

coverage:
	@scripts/setup coverage
	@JOBS=$(JOBS) scripts/coverage

fuzz:
	@scripts/setup fuzz
	@JOBS=$(JOBS) FUZZ_SECONDS=$(FUZZ_SECONDS) scripts/fuzz

clean:
	rm -rf build
