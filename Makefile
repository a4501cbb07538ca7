# Front door for a newcomer: every target installs the Debian packages it needs first.
#   make demo           build everything and render the demo through the plug-in
#   make test           build everything and run every test
#   make test-sanitize  the same under AddressSanitizer and UndefinedBehaviorSanitizer
#   make bench          build and run the benchmarks (on an X server of their own)
#   make install        install the VST 3 bundle and the factory presets into ~/.vst3, or
#                       everything under PREFIX (PREFIX/lib/vst3, PREFIX/share/vst3/presets, PREFIX/bin)
#   make package        build the Debian package build/tolvexvulcrax_<version>_amd64.deb

MAKEFLAGS += --no-print-directory
JOBS  ?= $(shell nproc)
BUILD ?= build

.PHONY: deps configure build demo test test-sanitize bench install package clean

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

# The install layout is set each time, since `make package` and PREFIX change it.
install: build
	@cmake -S . -B $(BUILD) $(if $(PREFIX),-DTV_INSTALL_LAYOUT=system -DCMAKE_INSTALL_PREFIX=$(PREFIX),-DTV_INSTALL_LAYOUT=user -DCMAKE_INSTALL_PREFIX=$(HOME)/.vst3) >/dev/null
	@cmake --install $(BUILD)

package: build
	@cmake -S . -B $(BUILD) -DTV_INSTALL_LAYOUT=system >/dev/null
	@cd $(BUILD) && cpack -G DEB >/dev/null && ls tolvexvulcrax_*.deb

clean:
	@rm -rf build build-sanitize
