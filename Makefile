# Build, test and try Vornix on Debian 12 (as root, or with sudo for `make deps`).
#   make test    the i686 (shipped), x86_64 and native builds, then every test
#   make run     starts the x86_64 build under Wine
#   make bench   builds and runs the benchmarks (the capture one under Wine)
#   make dist    dist/Vornix-<version>.zip: the shipped exe and the user's guides
#   make screenshots  the README's pictures (docs/screenshots) from the program under Wine
SHELL := /bin/bash
.SHELLFLAGS := -eu -o pipefail -c
ROOT := $(abspath $(dir $(lastword $(MAKEFILE_LIST))))
BUILD := $(ROOT)/build
# Paths relative to the checkout, so that a compiler cache serves every copy of it.
export CCACHE_BASEDIR := $(ROOT)
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
BUILD_TYPE ?= Release

PACKAGES := cmake g++ make googletest libgtest-dev libbenchmark-dev \
	g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64 \
	wine wine64 xvfb xauth xdotool xclip imagemagick fonts-wine file

.PHONY: deps win32 win64 native test run bench fuzz clean dist screenshots

# One dpkg-query for all packages, so that nothing is fetched when all is there.
deps:
	@missing=$$(comm -23 <(printf '%s\n' $(PACKAGES) | sort) \
	  <(dpkg-query -W -f='$${Package} $${db:Status-Status}\n' $(PACKAGES) 2>/dev/null \
	    | awk '$$2 == "installed" { print $$1 }' | sort)); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  sudo=; [ "$$(id -u)" = 0 ] || sudo=sudo; \
	  $$sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q; \
	  $$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $$missing; \
	fi

win32: deps
	cmake -S $(ROOT) -B $(BUILD)/win32 -DCMAKE_TOOLCHAIN_FILE=$(ROOT)/cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)
	cmake --build $(BUILD)/win32 -j $(JOBS)

win64: deps
	cmake -S $(ROOT) -B $(BUILD)/win64 -DCMAKE_TOOLCHAIN_FILE=$(ROOT)/cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)
	cmake --build $(BUILD)/win64 -j $(JOBS)

native: deps
	cmake -S $(ROOT) -B $(BUILD)/native -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
	  -DVORNIX_WIN32_DIR=$(BUILD)/win32 -DVORNIX_WIN64_DIR=$(BUILD)/win64
	cmake --build $(BUILD)/native -j $(JOBS)

# End-to-end tests hold a resource lock, so -j2 only runs unit tests beside them.
test: win32 win64 native
	cd $(BUILD)/native && ctest --output-on-failure -j 2

dist: win32
	bash $(ROOT)/packaging/dist.sh $(BUILD)/win32/Vornix.exe $(ROOT)/dist

screenshots: win64
	bash $(ROOT)/tools/screenshots.sh $(ROOT)/docs/screenshots

run: win32 win64
	bash $(ROOT)/tools/run_vornix.sh $(BUILD)/win64/Vornix.exe

bench: deps win64
	cmake -S $(ROOT) -B $(BUILD)/bench -DCMAKE_BUILD_TYPE=Release -DVORNIX_BENCH=ON
	cmake --build $(BUILD)/bench -j $(JOBS)
	@benches=$$(find $(BUILD)/bench -type f -perm -u+x \( -name 'bench_*' -o -name '*_bench' \) \
	  -not -path '*/CMakeFiles/*' | sort); \
	[ -n "$$benches" ] || { echo "no benchmark was built"; exit 1; }; \
	for b in $$benches; do echo "== $$b"; "$$b"; done
	@echo "== capture under Wine"; bash $(ROOT)/bench/capture_wine.sh
	@echo "== hot menu under Wine"; bash $(ROOT)/bench/hotmenu_wine.sh

# libFuzzer targets under clang with the address and undefined-behaviour checks,
# each for FUZZ_SECONDS; the corpus grows in build/fuzz/corpus. Not part of `make test`.
FUZZ_SECONDS ?= 60
fuzz: deps
	command -v clang++ >/dev/null || { sudo=; [ "$$(id -u)" = 0 ] || sudo=sudo; \
	  $$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends clang; }
	cmake -S $(ROOT) -B $(BUILD)/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DVORNIX_FUZZ=ON
	cmake --build $(BUILD)/fuzz -j $(JOBS) --target vornix_fuzzers
	for f in transforms loaders sessions; do \
	  mkdir -p $(BUILD)/fuzz/corpus/$$f; \
	  $(BUILD)/fuzz/fuzz/fuzz_$$f -max_total_time=$(FUZZ_SECONDS) -max_len=4096 -len_control=0 -timeout=20 \
	    -artifact_prefix=$(BUILD)/fuzz/ $(BUILD)/fuzz/corpus/$$f || exit 1; \
	done

clean:
	rm -rf $(BUILD)
