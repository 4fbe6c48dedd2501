# Drives CMake through its presets (CMakePresets.json). `make run` opens the
# tool, `make test` runs every test (also once built with clang++ under
# AddressSanitizer + UBSan, on other platforms, and the package's own checks), `make check` is the quick loop while working
# (format, release build, every test not labelled slow), `make bench` prints
# the benchmarks, `make fuzz` fuzzes the number parser. Each first installs
# what is missing (tools/setup.sh).

JOBS    ?= $(shell nproc)
PREFIX  ?= /usr/local
RELEASE := build/release
FUZZ_SECONDS ?= 60
FUZZ    := build/fuzz

.PHONY: all setup build run check test test-release test-asan test-tsan test-platforms \
        test-windows windows-configure windows-installer test-package bench bench-pyqtgraph fuzz \
        install package format format-check clean

all: build

setup:
	@./tools/setup.sh

# configure-and-build PRESET
define build_preset
	@cmake --preset $(1) >/dev/null
	@cmake --build --preset $(1) -j $(JOBS)
endef

build: setup
	$(call build_preset,release)

run: build
	@./tools/run.sh $(RELEASE)

check: format-check build
	ctest --preset release -j $(JOBS) -LE slow

test: format-check test-release test-asan test-tsan test-platforms test-package

test-release: build
	ctest --preset release -j $(JOBS)

# Built with clang++, so that the project builds with a second compiler too.
test-asan: setup
	$(call build_preset,asan)
	ctest --preset asan -j $(JOBS)

# The threaded sampling and appending under ThreadSanitizer.
test-tsan: setup
	$(call build_preset,tsan)
	ctest --preset tsan -j $(JOBS)


# Other platforms' builds, each checked against the same expected bits: the
# toolkit-free core with a 64-bit long double (as with MSVC or on Apple
# silicon); the whole program for Linux on arm64, its tests (the window's
# included) run under qemu-user; the whole program for Windows, its tests run
# under wine, and its installer.
test-platforms: setup
	$(call build_preset,long-double-64)
	ctest --preset long-double-64 -j $(JOBS)
	$(call build_preset,aarch64)
	ctest --preset aarch64 -j $(JOBS)
	$(MAKE) test-windows

# Qt for Windows is built once per machine into ~/.cache/curveplot (about 40
# minutes on 2 cores), QCustomPlot's source fetched beside it.
WINDOWS := build/windows
windows-configure: setup
	@cmake --preset windows -DCURVEPLOT_WINDOWS_QT="$$(./tools/windows-qt.sh)" \
	  -DQCUSTOMPLOT_SOURCE="$$(./tools/windows-qcustomplot.sh)" >/dev/null
	@cmake --build --preset windows -j $(JOBS)

# The window tests need an X display under wine, even offscreen.
test-windows: windows-installer
	xvfb-run -a -s "-screen 0 1280x1024x24" ctest --preset windows -j $(JOBS)
	./tests/package/windows_installer_test.sh $(WINDOWS)

# build/windows/curveplot-<version>-win64.exe: an NSIS installer (CPack).
windows-installer: windows-configure
	cd $(WINDOWS) && cpack -G NSIS

package: setup
	$(call build_preset,package)
	cd build/package && cpack

# The package as a user gets it: built, listed, validated, unpacked and run.
test-package: package
	./tests/package/package_test.sh build/package

# StrToFloat under libFuzzer, ASan and UBSan for FUZZ_SECONDS seconds, from the
# seed corpus (fuzz/corpus). New inputs go to build/fuzz/corpus, failing ones
# to build/fuzz/crash-* (or leak-*, timeout-*, oom-*): add those to the seeds,
# and now and then what a long run found (fuzz/corpus/str_to_float/found holds
# a run's inputs that reached code the named seeds did not).
# Inputs up to 16 KiB (the longest rounding midpoint has 11,515 digits); a
# single allocation over 64 MiB counts as a failure.
fuzz: setup
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j $(JOBS) --target str_to_float_fuzzer
	@mkdir -p $(FUZZ)/corpus
	$(FUZZ)/fuzz/str_to_float_fuzzer -max_total_time=$(FUZZ_SECONDS) -max_len=16384 \
	  -dict=fuzz/str_to_float.dict -timeout=10 -malloc_limit_mb=64 -print_final_stats=1 \
	  -artifact_prefix=$(FUZZ)/ $(FUZZ)/corpus fuzz/corpus/str_to_float

install: build
	cmake --install $(RELEASE) --prefix $(PREFIX)

bench: build
	@$(RELEASE)/bench/sample_bench
	@$(RELEASE)/bench/click_bench
	@$(RELEASE)/bench/window_bench
	@$(RELEASE)/bench/save_bench

# The full-scale click beside the same work in Debian's pyqtgraph at its
# fastest settings for big data (not part of `make test`).
bench-pyqtgraph: build
	@./tools/setup.sh pyqtgraph
	@ours=$$($(RELEASE)/bench/click_bench --window-only | awk '/span=16777215 threads=2/ {print $$NF}'); \
	  echo "click_to_drawn_ms span=16777215 threads=2 $$ours"; \
	  /usr/bin/python3 bench/pyqtgraph_bench.py --ours $$ours

SOURCES = $(shell git ls-files '*.cpp' '*.h')

format:
	@clang-format -i $(SOURCES)

format-check: setup
	@clang-format --dry-run --Werror $(SOURCES)

clean:
	rm -rf build
