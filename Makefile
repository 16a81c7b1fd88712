# Thin wrappers over CMake. `make demo` and `make test` install what is missing first.
BUILD      ?= build/release
ASAN_BUILD ?= build/asan
TSAN_BUILD ?= build/tsan
WINDOWS_BUILD ?= build/windows
JOBS       ?= $(shell nproc)
CMAKE_FLAGS ?=
# Warnings are errors in every build made here (and so in CI); `make WERROR=OFF ...` only shows
# them. Plain cmake leaves them warnings.
WERROR     ?= ON

.PHONY: all bootstrap configure build windows demo test test-asan test-tsan format-check bench run screenshots screenshots-windows fuzz package clean

all: build

bootstrap:
	@scripts/bootstrap

configure: bootstrap
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDRENNOW_WERROR=$(WERROR) \
	  -DDRENNOW_WINDOWS_BUILD=$(abspath $(WINDOWS_BUILD)) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# $(WINDOWS_BUILD)/cli/drennow-cli.exe and the Windows backend's tests, cross-built with
# MinGW-w64. The Wine tests of `make test` run them under Wine.
windows: bootstrap
	@cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/MinGW-w64.cmake \
	  -DDRENNOW_WERROR=$(WERROR) -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(WINDOWS_BUILD) -j $(JOBS)

# Exit status 1 means "problems found", which is what the demo prefix is for.
demo: build
	$(BUILD)/cli/drennow-cli --demo scan || [ $$? -eq 1 ]

run: build
	$(BUILD)/ui/drennow

test: format-check build windows
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory test-asan
	@$(MAKE) --no-print-directory test-tsan

# The Debian package build/release/drennow_<version>_<arch>.deb (sudo apt install ./build/release/drennow_*.deb).
package: build
	cd $(BUILD) && cpack -G DEB

# Every C++ file as clang-format (.clang-format) lays it out; `clang-format -i FILE` mends one.
format-check: bootstrap
	@find bench cli engine fuzz packaging platform repair tests ui -name '*.cpp' -o -name '*.h' | \
	  xargs clang-format --dry-run --Werror

# The library tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: bootstrap
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DDRENNOW_SANITIZE=ON \
	  -DDRENNOW_WERROR=$(WERROR) -DDRENNOW_GUI=OFF -DDRENNOW_BENCH=OFF >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS) -LE 'wine|ui|packaging'

# The tests of threaded code under ThreadSanitizer (the two-thread hive parse, the three hives
# read at once, scans side by side); only their programs are built.
test-tsan: bootstrap
	@cmake -S . -B $(TSAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDRENNOW_TSAN=ON \
	  -DDRENNOW_WERROR=$(WERROR) -DDRENNOW_GUI=OFF -DDRENNOW_BENCH=OFF >/dev/null
	@cmake --build $(TSAN_BUILD) -j $(JOBS) --target test_hive_threads test_scan_threads
	cd $(TSAN_BUILD) && TSAN_OPTIONS=halt_on_error=1 ctest --output-on-failure -j $(JOBS) -L tsan

# The pictures of docs/screenshots/, taken from the program on a copy of the demo prefix.
screenshots: configure
	@cmake --build $(BUILD) -j $(JOBS) --target drennow_screenshots
	$(BUILD)/ui/drennow_screenshots docs/screenshots

# The pictures of docs/screenshots/windows/, from drennow.exe under Wine on a virtual screen.
screenshots-windows: windows
	scripts/windows-screenshots $(WINDOWS_BUILD)/ui/win32/drennow.exe

bench: build
	@scripts/bench $(BUILD)

fuzz: bootstrap
	@scripts/fuzz

clean:
	rm -rf build
