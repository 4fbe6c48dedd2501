# Drives CMake. `make run` opens the tool, `make test` runs every test (also
# once under AddressSanitizer + UBSan), `make bench` prints the benchmarks.
# Each first installs what is missing (tools/setup.sh).

JOBS  ?= $(shell nproc)
BUILD := build
ASAN  := build-asan

.PHONY: all setup build run test test-asan bench format format-check clean

all: build

setup:
	@./tools/setup.sh

build: setup
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@./tools/run.sh $(BUILD)

test: build format-check
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory test-asan

test-asan: setup
	@cmake -S . -B $(ASAN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCURVEPLOT_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN) -j $(JOBS)
	cd $(ASAN) && ctest --output-on-failure -j $(JOBS)

bench: build
	@$(BUILD)/bench/sample_bench
	@$(BUILD)/bench/window_bench
	@$(BUILD)/bench/save_bench

SOURCES = $(shell git ls-files '*.cpp' '*.h')

format:
	@clang-format -i $(SOURCES)

format-check:
	@clang-format --dry-run --Werror $(SOURCES)

clean:
	rm -rf $(BUILD) $(ASAN)
