# make run   – install what is missing, build, start the game
# make test  – install what is missing, build, run every test headless
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: deps build run test test-asan fuzz bench screenshots install clean

deps:
	@sh tools/install-deps

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(CURDIR) && ./$(BUILD)/zmieniarka

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The whole suite once more under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps
	cmake -S . -B build-asan -DZM_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug $(CMAKE_FLAGS)
	cmake --build build-asan -j $(JOBS)
	cd build-asan && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Each fuzz target for a bounded time (seconds).
FUZZ_SECONDS ?= 60
fuzz: deps
	sh tools/fuzz $(FUZZ_SECONDS)

# The game's routines, start-up and memory (offscreen and under Xvfb), then
# the clock over 3 x 30 s; BENCH_FLAGS=--szybko leaves the clock out.
BENCH_FLAGS ?=
bench: build
	sh tools/bench $(BUILD) $(BENCH_FLAGS)

screenshots: build
	cmake --build $(BUILD) --target zm_zrzuty -j $(JOBS)
	BUILD=$(BUILD) bash tools/screenshots

install: build
	cmake --install $(BUILD)

clean:
	rm -rf build build-asan build-fuzz
