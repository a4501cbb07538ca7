# Front door for a newcomer: every target installs the Debian packages it needs first.
#   make demo           build everything and render the demo through the plug-in
#   make test           build everything and run every test
#   make test-sanitize  the same under AddressSanitizer and UndefinedBehaviorSanitizer
#   make bench          build and run the benchmarks (on an X server of their own)
#   make install        install the VST 3 bundle and the factory presets into ~/.vst3, or
#                       everything under PREFIX (PREFIX/lib/vst3, PREFIX/share/vst3/presets, PREFIX/bin)
#   make package        build the Debian package build/tolvexvulcrax_<version>_amd64.deb
#   make validate       run the conformance validators of ../shared/tools on the bundle
#   make fuzz           build the libFuzzer targets (clang) into build-fuzz
#   make fuzz-smoke     run each fuzz target for FUZZ_SECONDS (30) seconds
#   make test-thread    the concurrency tests under ThreadSanitizer
#   make format-check   check that every C++ file is laid out as .clang-format says
#   make screenshots    write the README's pictures of the editor at scales 1, 1.5 and 2 into docs/

MAKEFLAGS += --no-print-directory
JOBS  ?= $(shell nproc)
BUILD ?= build

FUZZ_BUILD   ?= build-fuzz
FUZZ_SECONDS ?= 30
TSAN_BUILD   ?= build-tsan
TSAN_SUPPRESSIONS := $(wildcard $(CURDIR)/tests/tsan.supp)

.PHONY: deps configure build demo test test-sanitize bench install package clean validate fuzz fuzz-smoke \
  test-thread format-check screenshots

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

# The X server is large enough for the editor's window at scale 2.
bench: build
	@find $(BUILD)/bench -type f -name "bench_*" -executable -exec xvfb-run -a -s "-screen 0 2100x1000x24" {} \;

# The install layout is set each time, since `make package` and PREFIX change it.
install: build
	@cmake -S . -B $(BUILD) $(if $(PREFIX),-DTV_INSTALL_LAYOUT=system -DCMAKE_INSTALL_PREFIX=$(PREFIX),-DTV_INSTALL_LAYOUT=user -DCMAKE_INSTALL_PREFIX=$(HOME)/.vst3) >/dev/null
	@cmake --install $(BUILD)

package: build
	@cmake -S . -B $(BUILD) -DTV_INSTALL_LAYOUT=system >/dev/null
	@cd $(BUILD) && cpack -G DEB >/dev/null && ls tolvexvulcrax_*.deb

validate: build
	@scripts/validate $(BUILD)/vst3/TolvexVulcrax.vst3

# One X server large enough for the editor at 2 (2048 x 960) serves the three pictures.
PREVIEW := $(BUILD)/tools/vulcrax-preview/vulcrax-preview
screenshots: build
	@xvfb-run -a -s "-screen 0 2100x1000x24" sh -c '\
	  $(PREVIEW) --screenshot docs/editor.png && \
	  $(PREVIEW) --scale 1.5 --screenshot docs/editor-1.5x.png && \
	  $(PREVIEW) --scale 2 --screenshot docs/editor-2x.png'
	@ls docs/editor*.png

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

format-check: deps
	@git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
	@echo "format: $$(git ls-files '*.cpp' '*.h' | wc -l) files laid out as .clang-format says"

clean:
	@rm -rf build build-sanitize $(FUZZ_BUILD) $(TSAN_BUILD)
