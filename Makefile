# The two commands a newcomer needs are `make run` and `make test`; both install
# missing Debian packages first.
BUILD_DIR ?= build
FUZZ_DIR ?= build-fuzz
BUILD_TYPE ?= RelWithDebInfo
FUZZ_SECONDS ?= 60
ARGS ?=

.PHONY: all deps build run test bench fuzz package package-check clean

all: build

deps:
	@scripts/install-deps.sh

$(BUILD_DIR)/build.ninja: | deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

build: deps $(BUILD_DIR)/build.ninja
	cmake --build $(BUILD_DIR)

run: build
	./$(BUILD_DIR)/scriblo $(ARGS)

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j 2

# A Debian package of the program, its desktop files, icons, scripts and udev rule.
package: build
	cmake --build $(BUILD_DIR) --target package

# Validates that package (lintian, desktop-file-validate, appstreamcli); not part of CI.
package-check: package
	@scripts/install-deps.sh --package-tools
	scripts/check-package.sh $(BUILD_DIR)

bench: build
	scripts/run-benchmarks.sh $(BUILD_DIR)

fuzz: deps
	cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DSCRIBLO_FUZZ=ON
	cmake --build $(FUZZ_DIR) --target fuzz_keyed_archive
	mkdir -p $(FUZZ_DIR)/corpus
	./$(FUZZ_DIR)/fuzz/fuzz_keyed_archive $(FUZZ_DIR)/corpus tests/core/fuzz-corpus \
	  -max_total_time=$(FUZZ_SECONDS) -max_len=65536 -rss_limit_mb=1024 \
	  -artifact_prefix=$(FUZZ_DIR)/

clean:
	rm -rf $(BUILD_DIR) $(FUZZ_DIR)
