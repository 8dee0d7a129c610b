# Run as yourself: tools/install-deps asks for sudo where it needs it.
# `make` alone lists the targets; each is the line after its `##`.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
PREFIX ?= /usr/local
USER_PREFIX ?= $(HOME)/.local
# Root needs no sudo; everyone else does, to change the system.
SUDO := $(shell [ "$$(id -u)" -eq 0 ] || echo sudo)
# A word for the shell, whatever it holds (spaces, quotes, $): the checkout
# and the prefixes may be anywhere.
q = '$(subst ','\'',$(1))'
# Qt's resource compiler reads the sources' paths as XML, unescaped, and
# CMake splits lists at ';': a checkout under such a path cannot build.
PATH_CHECK = @case $(call q,$(CURDIR)) in *[\&\<\;]*) echo "make: the checkout's path holds & < or ;, which Qt's \
resource compiler or CMake cannot take: move or rename it" >&2; exit 1 ;; esac

.PHONY: help deps game run test test-asan fuzz bench bench-build bench-guard screenshots package \
        install uninstall install-user uninstall-user clean

help: ## list the targets (also what `make` alone does)
	@awk -F ':.*## ' '/^[a-z-]+:.*## / { printf "make %-15s %s\n", $$1, $$2 }' Makefile

deps: ## install the packages the game needs (tools/install-deps run)
	$(PATH_CHECK)
	@sh tools/install-deps run

game: deps ## build the game alone into build/ (no tests, no benchmarks)
	cmake -S . -B $(call q,$(BUILD)) -DZM_TESTS=OFF -DZM_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(call q,$(BUILD)) -j $(JOBS)

# In the checkout, which then holds the game's two files.
run: game ## build the game and start it (needs a desktop session)
	@b=$(call q,$(BUILD)); case $$b in /*) ;; *) b=./$$b ;; esac; "$$b/zmieniarka"

test: ## build and run every test, headless (installs the test group)
	$(PATH_CHECK)
	@sh tools/install-deps test
	cmake -S . -B $(call q,$(BUILD)) -DZM_TESTS=ON -DZM_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(call q,$(BUILD)) -j $(JOBS)
	cd $(call q,$(BUILD)) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

test-asan: ## the tests again under AddressSanitizer and UBSan, in build-asan/
	$(PATH_CHECK)
	@sh tools/install-deps test
	cmake -S . -B build-asan -DZM_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug $(CMAKE_FLAGS)
	cmake --build build-asan -j $(JOBS)
	cd build-asan && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

FUZZ_SECONDS ?= 60
fuzz: ## each fuzz target of the data files for FUZZ_SECONDS (60), in build-fuzz/
	$(PATH_CHECK)
	@sh tools/install-deps fuzz
	sh tools/fuzz $(call q,$(FUZZ_SECONDS))

# BENCH_FLAGS=--szybko leaves the clock's 3 x 30 s out.
BENCH_FLAGS ?=
bench: bench-build ## the benchmarks: routines, start-up, memory, the clock
	sh tools/bench $(call q,$(BUILD)) $(BENCH_FLAGS)

# CI: so that they cannot rot.
bench-build: ## the benchmarks built, not run
	$(PATH_CHECK)
	@sh tools/install-deps bench
	cmake -S . -B $(call q,$(BUILD)) -DZM_BENCH=ON $(CMAKE_FLAGS)
	cmake --build $(call q,$(BUILD)) -j $(JOBS)

# CI: fails when the game starts in more than 1.30 times the instructions
# of a window with one label (deterministic, about 20 s).
bench-guard: bench-build ## the start-up's instruction count checked (CI)
	sh tools/instrukcje $(call q,$(BUILD)) --granica 1.30

screenshots: game ## the pictures in docs/screenshots/, under Xvfb
	@sh tools/install-deps screenshots
	cmake --build $(call q,$(BUILD)) --target zm_zrzuty -j $(JOBS)
	BUILD=$(call q,$(BUILD)) bash tools/screenshots

# Built afresh apart from build/, as Debian builds: its compiler flags with
# all hardening, /usr, the game in /usr/games.
package: ## the Debian package zmieniarka_1.0_<arch>.deb, checked by lintian
	$(PATH_CHECK)
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

# The manifest of what went in stays in the prefix (share/zmieniarka/), so
# that the uninstall needs neither the build nor root's memory of it.
install: game ## install the game into PREFIX (/usr/local), asks for sudo
	$(SUDO) cmake --install $(call q,$(BUILD)) --prefix $(call q,$(PREFIX)) --strip

uninstall: ## remove what `make install` put into PREFIX, caches and new folders too
	$(SUDO) cmake -D ZM_PREFIX=$(call q,$(PREFIX)) -P dist/uninstall.cmake

install-user: game ## install for you alone into ~/.local (no sudo)
	cmake --install $(call q,$(BUILD)) --prefix $(call q,$(USER_PREFIX)) --strip

uninstall-user: ## remove what `make install-user` put into ~/.local
	cmake -D ZM_PREFIX=$(call q,$(USER_PREFIX)) -P dist/uninstall.cmake

clean: ## delete the build folders and the package (not what is installed)
	rm -rf $(call q,$(BUILD)) build build-asan build-fuzz build-package zmieniarka_*.deb
