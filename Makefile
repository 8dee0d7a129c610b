# make run      – install what the game needs, build the game, start it
# make test     – the same, plus what the tests need; build and run every test
# make package  – the Debian package zmieniarka_1.0_<arch>.deb, checked by lintian
# Run as yourself: tools/install-deps asks for sudo where it needs it.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
# Root needs no sudo; everyone else does, to change the system.
SUDO := $(shell [ "$$(id -u)" -eq 0 ] || echo sudo)

.PHONY: deps game run test test-asan fuzz bench bench-build bench-guard screenshots package install clean

deps:
	@sh tools/install-deps run

# The game alone: no tests, no benchmarks.
game: deps
	cmake -S . -B $(BUILD) -DZM_TESTS=OFF -DZM_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)

run: game
	cd $(CURDIR) && ./$(BUILD)/zmieniarka

test:
	@sh tools/install-deps test
	cmake -S . -B $(BUILD) -DZM_TESTS=ON -DZM_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The whole suite once more under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan:
	@sh tools/install-deps test
	cmake -S . -B build-asan -DZM_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug $(CMAKE_FLAGS)
	cmake --build build-asan -j $(JOBS)
	cd build-asan && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Each fuzz target for a bounded time (seconds).
FUZZ_SECONDS ?= 60
fuzz:
	@sh tools/install-deps fuzz
	sh tools/fuzz $(FUZZ_SECONDS)

# The game's routines, start-up (wall time, instructions) and memory, each
# dialog's first opening (offscreen and under Xvfb), then the clock over
# 3 x 30 s; BENCH_FLAGS=--szybko leaves the clock out.
BENCH_FLAGS ?=
bench: bench-build
	sh tools/bench $(BUILD) $(BENCH_FLAGS)

# The benchmarks built, not run (CI: so that they cannot rot).
bench-build:
	@sh tools/install-deps bench
	cmake -S . -B $(BUILD) -DZM_BENCH=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)

# CI's guard of the start-up: fails when the game takes more than 1.30 times
# the instructions of a window with one label (deterministic, about 20 s).
bench-guard: bench-build
	sh tools/instrukcje $(BUILD) --granica 1.30

screenshots: game
	@sh tools/install-deps screenshots
	cmake --build $(BUILD) --target zm_zrzuty -j $(JOBS)
	BUILD=$(BUILD) bash tools/screenshots

# Built afresh apart from build/, as Debian builds: its compiler flags with
# all hardening, /usr, the game in /usr/games.
package:
	@sh tools/install-deps package
	rm -rf build-package
	export DEB_BUILD_MAINT_OPTIONS=hardening=+all; \
	CXXFLAGS="$$(dpkg-buildflags --get CXXFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
	LDFLAGS="$$(dpkg-buildflags --get LDFLAGS)" \
	cmake -S . -B build-package -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr \
	      -DCMAKE_INSTALL_BINDIR=games -DZM_TESTS=OFF -DZM_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build build-package -j $(JOBS)
	cd build-package && cpack -G DEB
	cp build-package/zmieniarka_*.deb .
	lintian --info zmieniarka_*.deb

install: game
	$(SUDO) cmake --install $(BUILD) --strip

clean:
	rm -rf build build-asan build-fuzz build-package zmieniarka_*.deb
