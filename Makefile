# Front door for a newcomer: every target installs the Debian packages it needs first.
#   make demo           build everything and render the demo through the plug-in
#   make test           build everything and run every test
#   make test-sanitize  the same under AddressSanitizer and UndefinedBehaviorSanitizer
#   make bench          build and run the benchmarks (on an X server of their own)
#   make install        install the VST 3 bundle into ~/.vst3 (or PREFIX)

MAKEFLAGS += --no-print-directory
JOBS  ?= $(shell nproc)
BUILD ?= build

.PHONY: deps configure build demo test test-sanitize bench install clean

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
	@find $(BUILD)/bench -type f -name "bench_*" -executable -exec xvfb-run -a {} \;

install: build
	@cmake --install $(BUILD) $(if $(PREFIX),--prefix $(PREFIX),)

clean:
	@rm -rf build build-sanitize
