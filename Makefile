# Set-up, build, run and test on Debian 12. `make run` and `make test` install
# whatever Debian packages are missing first (through sudo when not root).

BUILD       ?= build
BENCH_BUILD ?= build-bench
SAN_BUILD   ?= build-asan
TSAN_BUILD  ?= build-tsan
FUZZ_BUILD  ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS        ?= $(shell nproc)

PACKAGES := build-essential cmake ninja-build pkg-config \
            qt6-base-dev qt6-base-dev-tools libgl-dev libxcb1-dev \
            libzip-dev zlib1g-dev libcurl4-openssl-dev \
            libgtest-dev libgmock-dev libbenchmark-dev \
            python3 python3-pyftpdlib zip unzip rsync lftp rename id3v2 \
            fonts-dejavu-core xvfb xauth

# Only `make fuzz` needs these: clang and its libFuzzer runtime.
FUZZ_PACKAGES := clang libclang-rt-14-dev

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps fuzz-deps configure build run test test-asan test-tsan bench fuzz clean

all: build

# $(call install-missing,PACKAGES)
define install-missing
	@missing=$$(for p in $(1); do \
	    dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing: $$missing"; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi
endef

deps:
	$(call install-missing,$(PACKAGES))

fuzz-deps: deps
	$(call install-missing,$(FUZZ_PACKAGES))

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/ardl20

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

test-asan: deps
	cmake -S . -B $(SAN_BUILD) -G Ninja -DARDL_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
	cmake --build $(SAN_BUILD) -j $(JOBS)
	cd $(SAN_BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The tests under ThreadSanitizer, with the clone shim of tests/support/tsan
# preloaded (its comment says why). Qt, libzip and the C library are not
# built with the sanitizer, which cannot see the locks they take inside
# (Qt's thread pools, the C library's time-zone lock): their own accesses are
# left out. Our code and every lock it takes are checked.
test-tsan: deps
	cmake -S . -B $(TSAN_BUILD) -G Ninja -DARDL_SANITIZE_THREAD=ON -DCMAKE_BUILD_TYPE=Debug
	cmake --build $(TSAN_BUILD) -j $(JOBS)
	cd $(TSAN_BUILD) && QT_QPA_PLATFORM=offscreen LD_PRELOAD=$(abspath $(TSAN_BUILD))/bin/libardl_tsan_clone.so \
	  TSAN_OPTIONS=ignore_noninstrumented_modules=1 ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DARDL_BUILD_BENCH=ON -DARDL_BUILD_TESTS=OFF
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	bench/run-all.sh $(BENCH_BUILD)

# Builds the fuzz targets with clang's libFuzzer and runs each one for
# FUZZ_SECONDS on its seeds; fails on any crash, leak or sanitizer report.
fuzz: fuzz-deps
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DARDL_BUILD_FUZZ=ON -DARDL_BUILD_TESTS=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target ardl_fuzz
	fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD) $(BENCH_BUILD) $(SAN_BUILD) $(TSAN_BUILD) $(FUZZ_BUILD)
