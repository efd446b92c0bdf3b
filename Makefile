# The two commands a newcomer needs are `make run` and `make test`; both install
# missing Debian packages first.
BUILD_DIR ?= build
FUZZ_DIR ?= build-fuzz
SANITIZER_DIR ?= build-sanitizers
SANITIZER_FLAGS := -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer
# -O1 with line tables only is what the sanitizers' authors advise: stack traces keep
# their lines, and the instrumented build compiles in about half the time of -O2 -g.
SANITIZER_OPTIMIZATION := -O1 -g1 -DNDEBUG
# GCC reports false uninitialised-use warnings inside instrumented std::variant code.
SANITIZER_WARNINGS := -Wno-maybe-uninitialized
BUILD_TYPE ?= RelWithDebInfo
FUZZ_SECONDS ?= 60
ARGS ?=
PREFIX ?= /usr/local

.PHONY: all deps build run test test-under-load check-sanitizers bench fuzz package package-check install uninstall translations screenshots clean

all: build

deps:
	@scripts/install-deps.sh

# Line tables are all a backtrace or a debugger's stepping needs, and full debug
# information only makes every build slower.
$(BUILD_DIR)/build.ninja: | deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG"

build: deps $(BUILD_DIR)/build.ninja
	cmake --build $(BUILD_DIR)

# Without a display (a server, a container, CI) the narrated demonstration runs in
# its place, on a private X server, and leaves its screenshots in $(BUILD_DIR)/demo.
run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "No display: running the demonstration (scriblo demo)"; \
	  ./$(BUILD_DIR)/scriblo demo --screenshots $(BUILD_DIR)/demo; \
	else \
	  ./$(BUILD_DIR)/scriblo $(ARGS); \
	fi

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j 2

# The end-to-end suites with every core kept busy: a gesture must work on a loaded machine.
test-under-load: build
	scripts/test-under-load.sh $(BUILD_DIR)

# The suites again with AddressSanitizer and UndefinedBehaviorSanitizer, where untrusted
# bytes are read and stores kept: the core, the files, the platform, the launch targets,
# the touchpad, recognition and the command line. The windows and the desktop suites run
# the same code in the plain pass; the benchmarks are left out, since their timings mean
# nothing under instrumentation, and so are the recognizer's large reference runs and
# the digest of the largest pinned archive (see its test). Only the program's code is
# instrumented (tests/CMakeLists.txt). Leak reports are off: Qt's font and D-Bus libraries keep caches until exit.
SANITIZER_SKIPPED := RecognizerPinsTest\.answersAsPinned/(theLargestStore|real|severalDrawings|generatedDrawings)|KeyedArchiveTest\.storesAnArchiveOfFourByteReferencesAsBefore
check-sanitizers: deps
	cmake -S . -B $(SANITIZER_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSCRIBLO_BENCH=OFF -DSCRIBLO_WINDOW_TESTS=OFF \
	  "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=$(SANITIZER_OPTIMIZATION)" "-DCMAKE_C_FLAGS_RELWITHDEBINFO=$(SANITIZER_OPTIMIZATION)" \
	  "-DCMAKE_CXX_FLAGS=$(SANITIZER_FLAGS) $(SANITIZER_WARNINGS)" "-DCMAKE_C_FLAGS=$(SANITIZER_FLAGS)" \
	  "-DCMAKE_EXE_LINKER_FLAGS=$(SANITIZER_FLAGS)"
	cmake --build $(SANITIZER_DIR)
	ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --test-dir $(SANITIZER_DIR) --output-on-failure -j 2 -E '$(SANITIZER_SKIPPED)'

# A Debian package of the program, its desktop files, icons, scripts and udev rule.
package: build
	cmake --build $(BUILD_DIR) --target package

# Validates that package (lintian, desktop-file-validate, appstreamcli); not part of CI.
package-check: package
	@scripts/install-deps.sh --package-tools
	scripts/check-package.sh $(BUILD_DIR)

# What the package holds, installed under PREFIX (DESTDIR stages it elsewhere). The
# touchpad rule goes to /etc/udev/rules.d unless PREFIX is /usr, since udev reads no
# other place; a real install (no DESTDIR) applies it at once, as the package does.
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"
	@if [ -z "$(DESTDIR)" ]; then sh data/debian/postinst configure; fi

uninstall:
	DESTDIR="$(DESTDIR)" scripts/uninstall.sh $(BUILD_DIR) "$(PREFIX)"

# Brings new and changed interface strings into the catalogues under translations/.
translations:
	scripts/update-translations.sh

# Takes the screenshots that the AppStream metadata names again, with the demonstration.
screenshots: build
	scripts/take-screenshots.sh $(BUILD_DIR)

bench: build
	cmake --build $(BUILD_DIR) --target benchmarks
	scripts/run-benchmarks.sh $(BUILD_DIR)

# Runs every parser's fuzzer for FUZZ_SECONDS each, from its kept corpus in
# tests/fuzz/corpus/NAME (replayed by the normal build's tests). New inputs gather in
# $(FUZZ_DIR)/corpus/NAME; a crash stops the run and leaves its input as
# $(FUZZ_DIR)/NAME-crash-*, to be fixed and then kept in the tests' corpus.
fuzz: deps
	cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DSCRIBLO_FUZZ=ON
	cmake --build $(FUZZ_DIR) --target fuzzers
	set -e; for fuzzer in $(FUZZ_DIR)/fuzz/fuzz_*; do \
	  name=$${fuzzer##*/fuzz_}; \
	  mkdir -p $(FUZZ_DIR)/corpus/$$name; \
	  $$fuzzer $(FUZZ_DIR)/corpus/$$name tests/fuzz/corpus/$$name \
	    -max_total_time=$(FUZZ_SECONDS) -max_len=65536 -rss_limit_mb=2048 -timeout=10 \
	    -artifact_prefix=$(FUZZ_DIR)/$$name-; \
	done

clean:
	rm -rf $(BUILD_DIR) $(FUZZ_DIR) $(SANITIZER_DIR)
