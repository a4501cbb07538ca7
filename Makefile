# Front door for a newcomer: every target installs the Debian packages it needs first.
#   make demo           build everything and render the demo through the plug-in
#   make test           build everything and run every test
#   make test-sanitize  the same under AddressSanitizer and UndefinedBehaviorSanitizer
#   make bench          build and run the benchmarks
#   make install        install the VST 3 bundle into ~/.vst3 (or PREFIX)
#   make validate       run the conformance validators of ../shared/tools on the bundle
#   make fuzz           build the libFuzzer targets (clang) into build-fuzz
#   make fuzz-smoke     run each fuzz target for FUZZ_SECONDS (30) seconds
#   make test-thread    the concurrency tests under ThreadSanitizer

MAKEFLAGS += --no-print-directory
JOBS  ?= $(shell nproc)
BUILD ?= build

FUZZ_BUILD   ?= build-fuzz
FUZZ_SECONDS ?= 30
TSAN_BUILD   ?= build-tsan
TSAN_SUPPRESSIONS := $(wildcard $(CURDIR)/tests/tsan.supp)

.PHONY: deps configure build demo test test-sanitize bench install clean validate fuzz fuzz-smoke test-thread

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

demo: build
	@cmake --build $(BUILD) --target demo

test: build
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

test-sanitize: deps
	@cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DTV_SANITIZE=address,undefined >/dev/null
	@cmake --build build-sanitize -j $(JOBS)
	@ctest --test-dir build-sanitize --output-on-failure -j $(JOBS)

bench: build
	@find $(BUILD)/bench -type f -name "bench_*" -executable -exec {} \;

install: build
	@cmake --install $(BUILD) $(if $(PREFIX),--prefix $(PREFIX),)

validate: build
	@scripts/validate $(BUILD)/vst3/TolvexVulcrax.vst3

fuzz: deps
	@cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
	  -DCMAKE_CXX_COMPILER=clang++ -DTV_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz

fuzz-smoke: fuzz
	@scripts/fuzz-run $(FUZZ_BUILD) $(FUZZ_SECONDS)

test-thread: deps
	@cmake -S . -B $(TSAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTV_SANITIZE=thread >/dev/null
	@cmake --build $(TSAN_BUILD) -j $(JOBS) --target concurrency_tests
	@TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 $(if $(TSAN_SUPPRESSIONS),suppressions=$(TSAN_SUPPRESSIONS))" \
	  ctest --test-dir $(TSAN_BUILD) -L concurrency --no-tests=error --output-on-failure -j $(JOBS)

clean:
	@rm -rf build build-sanitize $(FUZZ_BUILD) $(TSAN_BUILD)
