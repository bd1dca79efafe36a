# Two commands for a newcomer: `make run` opens the worksheet, `make test` runs
# every test. Both install missing Debian packages first.

BUILD         ?= build
ASAN_BUILD    ?= build-asan
BENCH_BUILD   ?= build-bench
RELEASE_BUILD ?= build-release
JOBS          ?= 2
CMAKE_FLAGS   ?=
PREFIX        ?= /usr/local
DESTDIR       ?=

# Warnings are errors in the builds we develop and test with; plain CMake (a
# packager's build) leaves them warnings.
OWN_FLAGS := -DSYMCALC_WERROR=ON

PACKAGES := cmake g++ make pkgconf libgtest-dev libbenchmark-dev qt6-base-dev libgl-dev libxtst-dev \
            libedit-dev fonts-liberation2 xvfb xauth xclip locales clang libclang-rt-14-dev valgrind \
            python3 dpkg-dev file man-db appstream desktop-file-utils

.PHONY: all run cli test build asan release install package bench deps clean

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

# A change of this file configures again, so that a build tree made before a
# flag was added here gets it.
$(BUILD)/CMakeCache.txt: Makefile
	cmake -S . -B $(BUILD) -DSYMCALC_CHECK_NORMAL_FORM=ON $(OWN_FLAGS) $(CMAKE_FLAGS)

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$(JOBS)

run: build
	@if [ -x $(BUILD)/frontend/symcalc ]; then $(BUILD)/frontend/symcalc; \
	else $(BUILD)/cli/symcalc-cli; fi

cli: build
	$(BUILD)/cli/symcalc-cli

asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DSYMCALC_SANITIZE=ON \
	  -DSYMCALC_CHECK_NORMAL_FORM=ON -DSYMCALC_BUILD_GUI=OFF $(OWN_FLAGS) $(CMAKE_FLAGS)
	cmake --build $(ASAN_BUILD) -j$(JOBS) --target engine_tests

# The configuration users and packagers get: -O3, the CLI linked statically.
# It is what `make install` installs and `make package` packs.
$(RELEASE_BUILD)/CMakeCache.txt: Makefile
	cmake -S . -B $(RELEASE_BUILD) -DCMAKE_BUILD_TYPE=Release $(OWN_FLAGS) $(CMAKE_FLAGS)

release: deps $(RELEASE_BUILD)/CMakeCache.txt
	cmake --build $(RELEASE_BUILD) -j$(JOBS)

install: release
	DESTDIR="$(DESTDIR)" cmake --install $(RELEASE_BUILD) --prefix "$(PREFIX)"

package: release
	cd $(RELEASE_BUILD) && cpack -G DEB
	@ls $(RELEASE_BUILD)/symcalc_*.deb

# The release tree runs the engine and CLI tests again (the optimiser at -O3
# and the static CLI are what users get) and builds and checks the package.
test: build asan fuzz-build release
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS) -LE package
	cd $(RELEASE_BUILD) && ctest --output-on-failure -j$(JOBS) -L 'unit|cli|package'
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
	  -DSYMCALC_CHECK_NORMAL_FORM=ON -DSYMCALC_BUILD_GUI=OFF -DSYMCALC_BUILD_TESTS=OFF \
	  $(OWN_FLAGS) $(CMAKE_FLAGS)
	cmake --build $(FUZZ_BUILD) -j$(JOBS) --target line_fuzzer

fuzz: fuzz-build
	bash fuzz/run_fuzzer.sh run $(FUZZ_BUILD)/fuzz/line_fuzzer $(CURDIR) $(FUZZ_BUILD)/fuzz $(FUZZ_TIME)

# The peers of the side-by-side comparison come from Debian's packages too.
bench: PACKAGES += ginac-tools pari-gp maxima python3 python3-sympy
bench: deps
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DSYMCALC_BUILD_BENCH=ON \
	  -DSYMCALC_BUILD_GUI=OFF -DSYMCALC_BUILD_TESTS=OFF $(OWN_FLAGS) $(CMAKE_FLAGS)
	cmake --build $(BENCH_BUILD) -j$(JOBS)
	@for b in $(BENCH_BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done; true
	python3 bench/compare.py --cli $(BENCH_BUILD)/cli/symcalc-cli $(COMPARE_FLAGS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD) $(RELEASE_BUILD)
