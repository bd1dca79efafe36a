# Two commands for a newcomer: `make run` opens the worksheet, `make test` runs
# every test. Both install missing Debian packages first.

BUILD       ?= build
ASAN_BUILD  ?= build-asan
BENCH_BUILD ?= build-bench
JOBS        ?= 2
CMAKE_FLAGS ?=

PACKAGES := cmake g++ make libgtest-dev libbenchmark-dev qt6-base-dev libgl-dev libxtst-dev \
            fonts-liberation2 xvfb xauth xclip locales clang libclang-rt-14-dev valgrind

.PHONY: all run cli test build asan bench deps clean

all: build

deps:
	@missing=""; \
	for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" = "0" ]; then \
	    echo "Installing:$$missing"; \
	    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	  else \
	    echo "Missing packages. Please run:"; \
	    echo "  sudo apt-get install -y$$missing"; \
	    exit 1; \
	  fi; \
	fi

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DSYMCALC_CHECK_NORMAL_FORM=ON $(CMAKE_FLAGS)

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$(JOBS)

run: build
	@if [ -x $(BUILD)/frontend/symcalc ]; then $(BUILD)/frontend/symcalc; \
	else $(BUILD)/cli/symcalc-cli; fi

cli: build
	$(BUILD)/cli/symcalc-cli

asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DSYMCALC_SANITIZE=ON \
	  -DSYMCALC_CHECK_NORMAL_FORM=ON -DSYMCALC_BUILD_GUI=OFF $(CMAKE_FLAGS)
	cmake --build $(ASAN_BUILD) -j$(JOBS) --target engine_tests

test: build asan fuzz-build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -L sanitize
	cd $(FUZZ_BUILD) && ctest --output-on-failure -L fuzz

# The line fuzzer: clang, libFuzzer and the sanitizers in a tree of its own.
# `make fuzz FUZZ_TIME=3600` fuzzes for an hour, going on from the corpus
# that earlier runs left in $(FUZZ_BUILD)/fuzz/corpus; `make test` replays
# the kept regressions and makes a short run with a fixed seed.
FUZZ_BUILD ?= build-fuzz
FUZZ_TIME  ?= 600

.PHONY: fuzz fuzz-build

fuzz-build: deps
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DSYMCALC_FUZZ=ON \
	  -DSYMCALC_CHECK_NORMAL_FORM=ON -DSYMCALC_BUILD_GUI=OFF -DSYMCALC_BUILD_TESTS=OFF $(CMAKE_FLAGS)
	cmake --build $(FUZZ_BUILD) -j$(JOBS) --target line_fuzzer

fuzz: fuzz-build
	bash fuzz/run_fuzzer.sh run $(FUZZ_BUILD)/fuzz/line_fuzzer $(CURDIR) $(FUZZ_BUILD)/fuzz $(FUZZ_TIME)

# The peers of the side-by-side comparison come from Debian's packages too.
bench: PACKAGES += ginac-tools pari-gp maxima python3 python3-sympy
bench: deps
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DSYMCALC_BUILD_BENCH=ON \
	  -DSYMCALC_BUILD_GUI=OFF -DSYMCALC_BUILD_TESTS=OFF $(CMAKE_FLAGS)
	cmake --build $(BENCH_BUILD) -j$(JOBS)
	@for b in $(BENCH_BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done; true
	python3 bench/compare.py --cli $(BENCH_BUILD)/cli/symcalc-cli $(COMPARE_FLAGS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD)
