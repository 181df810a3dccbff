# Two entry points: `make run` and `make test`. Both install what is missing first.
BUILD      ?= build
JOBS       ?= $(shell nproc)
SUDO       := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
PACKAGES   := $(shell grep -v '^\#' debian-packages.txt)

.PHONY: all deps build test run clean

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

build: deps node_modules/.package-lock.json
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j$(JOBS)

test: build
	tools/with-display.sh ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

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

# The crash test at length: the client killed SOAK_KILLS times at random moments while it writes
# (tests/gui/crash_soak_test.cpp); prints how many kills it survived. About 2 s a kill.
SOAK_KILLS ?= 1000
.PHONY: soak
soak: build
	TAMSA_SOAK_KILLS=$(SOAK_KILLS) QT_QPA_PLATFORM=xcb QTWEBENGINE_DISABLE_SANDBOX=1 \
	  QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu tools/with-display.sh $(BUILD)/tests/gui/crash_soak_test
