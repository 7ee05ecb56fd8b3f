# Everyday entry points over CMake. Each target first makes sure the Debian
# packages are there (quick when they are), then configures and builds.
PRESET ?= release
BUILD  := build/$(PRESET)

.PHONY: all deps configure build run test package bench fuzz sanitize standard-build gallery size clean

FUZZ_SECONDS ?= 30

all: build

deps:
	@./scripts/install-deps

configure: deps
	@cmake --preset $(PRESET) >/dev/null

build: configure
	@cmake --build --preset $(PRESET)

run: build
	@./scripts/run-viewer $(BUILD)

# Then, for the release build only, the package is installed and removed for
# real (as root; otherwise scripts/check-package says why it skips).
test: build
	@ctest --preset $(PRESET)
	@if [ "$(PRESET)" = release ]; then ./scripts/check-package $(BUILD); fi

# The Debian package, $(BUILD)/ombrelia_<version>_amd64.deb.
package: build
	@cmake --build --preset $(PRESET) --target package

bench: build
	@./scripts/run-bench $(BUILD)

# libFuzzer targets (clang), each for FUZZ_SECONDS.
fuzz: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz --target fuzzers
	@./scripts/run-fuzzers build/fuzz $(FUZZ_SECONDS)

# The whole suite under AddressSanitizer + UndefinedBehaviorSanitizer, then
# under ThreadSanitizer, then every fuzzer for a minute.
sanitize: deps
	@for preset in asan tsan; do \
	    cmake --preset $$preset >/dev/null && \
	    cmake --build --preset $$preset && \
	    ctest --preset $$preset || exit 1; \
	done
	@$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=60

# A packager's build: plain CMake without our presets, Release (-O3), from
# scratch, tests included, in a folder of its own; warnings are errors here
# so that one that only -O3 shows is seen before a packager meets it.
standard-build: deps
	@rm -rf build/standard
	@cmake -S . -B build/standard -G Ninja -DCMAKE_BUILD_TYPE=Release -DOMBRELIA_WERROR=ON >/dev/null
	@cmake --build build/standard

# The README's gallery, made again from the command lines beside its pictures.
gallery: build
	@./scripts/gallery $(BUILD)

# Lines of code and of tests, and the tests' share.
size:
	@./scripts/size

clean:
	rm -rf build
