# Two entry points: `make run` and `make test`. Both install what is missing first.
BUILD      ?= build
JOBS       ?= $(shell nproc)
SUDO       := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
PACKAGES   := $(shell grep -v '^\#' debian-packages.txt)
# ccache, where installed, makes rebuilds in fresh folders cheap; nothing needs it.
CCACHE     := $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

.PHONY: all deps build test run clean test-asan fuzz

all: build

# Installs only the Debian packages that are not installed yet.
deps:
	@missing=$$(for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing: $$missing"; \
	  $(SUDO) apt-get update -q && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -q $$missing; \
	fi
	@# npm may come with a Node.js of its own; only a machine without it gets Debian's.
	@command -v npm >/dev/null || { $(SUDO) apt-get update -q && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -q npm; }

node_modules/.package-lock.json: package.json package-lock.json | deps
	npm ci --no-audit --no-fund

# CMAKE_ARGS adds options to the configure step, e.g. CMAKE_ARGS=-DGAMEBOX_WERROR=ON.
CMAKE_ARGS ?=

build: deps node_modules/.package-lock.json
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CCACHE) $(CMAKE_ARGS)
	cmake --build $(BUILD) -j$(JOBS)

test: build
	tools/with-display.sh ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

# The whole suite again on a build with AddressSanitizer and UndefinedBehaviorSanitizer.
ASAN_BUILD ?= build-asan
# Seconds per test: a sanitizer build runs several times slower than the plain one (300 s).
ASAN_TEST_TIMEOUT ?= 1500
SANITIZERS := $(CURDIR)/tools/sanitizers
# Only our code is instrumented: Qt and the web engine come as Debian built them, and the
# engine's zygote and renderers are its own QtWebEngineProcess, which the ASan runtime never
# enters, so the sandbox and its memory limits stay as they are. UBSan therefore only ever
# reports our code and has no suppressions; LeakSanitizer's are in tools/sanitizers/lsan.supp.
# new_delete_type_mismatch=0: the web engine runs in the test process and frees objects with
# a sized delete of a base class (inside QtWebEngineCore); ASan has no suppression by library
# for that report, so the check is off for all.
# The session bus address: without one, libdbus starts a bus by forking the multi-threaded
# test without exec; when another thread held one of ASan's own locks at the fork, the child
# spins on it for ever and the test waits for the child (two tests hung until CTest's
# time-out). An address that refuses at once means no fork; tests that need a bus start their
# own (dbus-run-session), which sets its address.
SANITIZER_ENV := ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1:new_delete_type_mismatch=0 \
  LSAN_OPTIONS=suppressions=$(SANITIZERS)/lsan.supp:print_suppressions=0 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/no-session-bus

test-asan: deps node_modules/.package-lock.json
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGAMEBOX_SANITIZE=ON \
	  -DGAMEBOX_TEST_TIMEOUT=$(ASAN_TEST_TIMEOUT) $(CCACHE)
	$(SANITIZER_ENV) cmake --build $(ASAN_BUILD) -j$(JOBS)
	$(SANITIZER_ENV) tools/with-display.sh ctest --test-dir $(ASAN_BUILD) --output-on-failure -j$(JOBS)

# libFuzzer harnesses (clang) in their own build, each run FUZZ_SECONDS on its corpus.
FUZZ_BUILD   ?= build-fuzz
FUZZ_SECONDS ?= 60

fuzz: PACKAGES += $(shell grep -v '^\#' fuzz/debian-packages.txt)
fuzz: deps
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGAMEBOX_FUZZ=ON $(CCACHE)
	cmake --build $(FUZZ_BUILD) -j$(JOBS) --target fuzzers
	fuzz/run.sh $(FUZZ_BUILD) -max_total_time=$(FUZZ_SECONDS)

run: build
	tools/run-demo.sh $(BUILD)

clean:
	rm -rf $(BUILD)

# `make install PREFIX=/usr/local` (DESTDIR= stages it elsewhere) installs the program folder
# under PREFIX/lib/tamsa-gamebox/ with a launcher, menu entry, icons and metainfo;
# `make deb` builds the Debian package into $(BUILD)/.
PREFIX ?= /usr/local
.PHONY: install deb
install: build
	DESTDIR=$(DESTDIR) cmake --install $(BUILD) --prefix $(PREFIX)

deb: build
	cd $(BUILD) && cpack -G DEB

# Every benchmark against its anchor (bench/), one table at the end: figure, ours, anchor, ratio
# with its spread over the rounds, target. About 40 minutes; run it on a quiet machine. The last
# table and the machine it came from are in docs/PERFORMANCE.md.
.PHONY: bench
bench: deps node_modules/.package-lock.json
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CCACHE)
	cmake --build $(BUILD) -j$(JOBS) --target benchmarks
	tools/with-display.sh bench/run-benchmarks.sh $(BUILD)

# The crash test at length: the client killed SOAK_KILLS times at random moments while it writes
# (tests/gui/crash_soak_test.cpp); prints how many kills it survived. About 2 s a kill.
SOAK_KILLS ?= 1000
.PHONY: soak
soak: build
	TAMSA_SOAK_KILLS=$(SOAK_KILLS) QT_QPA_PLATFORM=xcb QTWEBENGINE_DISABLE_SANDBOX=1 \
	  QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu tools/with-display.sh $(BUILD)/tests/gui/crash_soak_test
