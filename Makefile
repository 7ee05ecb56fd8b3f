# Everyday entry points over CMake. Each target first makes sure the Debian
# packages are there (quick when they are), then configures and builds.
PRESET ?= release
BUILD  := build/$(PRESET)

.PHONY: all deps configure build run test bench clean

all: build

deps:
	@./scripts/install-deps

configure: deps
	@cmake --preset $(PRESET) >/dev/null

build: configure
	@cmake --build --preset $(PRESET)

run: build
	@./scripts/run-viewer $(BUILD)

test: build
	@ctest --preset $(PRESET)

bench: build
	@./scripts/run-bench $(BUILD)

clean:
	rm -rf build
