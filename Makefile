# The two commands of the README: `make demo` and `make test`. Both install what is missing.
NATIVE   := build/native
SANITIZE := build/sanitize
WINDOWS  := build/windows
FUZZ     := build/fuzz
# Seconds each fuzz target runs: `make fuzz` (FUZZ_SECONDS=600 make fuzz for longer), and the
# smoke run of `make test`.
FUZZ_SECONDS ?= 60
FUZZ_SMOKE_SECONDS ?= 5
JOBS     ?= $(shell nproc)
CMAKE_GEN := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")
XLHOST   := $(NATIVE)/host/xlhost

.PHONY: all deps deps-native deps-windows deps-fuzz build build-sanitize build-windows build-fuzz demo chart-png screenshots test test-native test-windows soak fuzz fuzz-smoke dist bench clean

all: build

deps-native:
	@scripts/setup.sh native

deps-windows:
	@scripts/setup.sh windows

deps-fuzz:
	@scripts/setup.sh fuzz

deps:
	@scripts/setup.sh all

$(NATIVE)/CMakeCache.txt: | deps-native
	cmake -S . -B $(NATIVE) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo

$(SANITIZE)/CMakeCache.txt: | deps-native
	cmake -S . -B $(SANITIZE) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DVX_SANITIZE=ON

# The real add-in: 32-bit Windows, cross-built with mingw-w64 and tested under Wine.
$(WINDOWS)/CMakeCache.txt: | deps-windows
	cmake -S . -B $(WINDOWS) $(CMAKE_GEN) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=RelWithDebInfo

# The fuzz targets: clang with libFuzzer, ASan and UBSan over the add-in, the host and the
# platform stand-in (no suites, no benchmarks).
$(FUZZ)/CMakeCache.txt: | deps-fuzz
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVX_FUZZ=ON -DVX_TESTS=OFF -DVX_BENCH=OFF

build: deps-native $(NATIVE)/CMakeCache.txt
	cmake --build $(NATIVE) -j $(JOBS)

build-sanitize: deps-native $(SANITIZE)/CMakeCache.txt
	cmake --build $(SANITIZE) -j $(JOBS)

build-windows: deps-windows $(WINDOWS)/CMakeCache.txt
	cmake --build $(WINDOWS) -j $(JOBS)

build-fuzz: deps-fuzz $(FUZZ)/CMakeCache.txt
	cmake --build $(FUZZ) -j $(JOBS)

demo: build
	$(XLHOST) calc examples/demo.csv --table
	@mkdir -p out
	$(XLHOST) chart examples/curve.csv A1:B4 --out out/chart.xlsx

# The comparison chart of the demo curve, rendered for a look (installs LibreOffice Calc and
# poppler-utils when they are missing; only this target needs them).
chart-png: build
	@mkdir -p out
	$(XLHOST) chart examples/curve.csv A1:B4 --out out/chart.xlsx
	$(XLHOST) chart examples/curve.csv A1:B4 --bw --out out/chart_bw.xlsx
	scripts/render_chart.sh out/chart.xlsx out/chart.png
	scripts/render_chart.sh out/chart_bw.xlsx out/chart_bw.png

# Screenshots of the add-in's dialogs under Wine, each cropped to its dialog, in out/screenshots/
# (installs x11-apps and ImageMagick when they are missing; only this target needs them).
screenshots: build-windows
	scripts/wine/screenshots.sh $(WINDOWS) out/screenshots

test-native: build build-sanitize
	cd $(NATIVE) && ctest --output-on-failure --schedule-random -j $(JOBS)
	cd $(SANITIZE) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure --schedule-random -j $(JOBS)

test-windows: build-windows
	VX_JOBS=$(JOBS) scripts/wine/test-windows.sh $(WINDOWS)

# Each fuzz target for FUZZ_SECONDS from its corpus in tests/fuzz/corpus.
fuzz: build-fuzz
	scripts/fuzz.sh $(FUZZ) $(FUZZ_SECONDS)

fuzz-smoke: build-fuzz
	scripts/fuzz.sh $(FUZZ) $(FUZZ_SMOKE_SECONDS)

test: test-native test-windows fuzz-smoke

# The add-in loaded, recalculated and unloaded 10000 times in one process (make test runs 1000).
soak: build
	VX_SOAK_CYCLES=10000 $(NATIVE)/tests/soak_tests

# What to copy to a Windows machine: the add-in and its settings file, and the Windows host
# with its stand-in XLCALL32.DLL to try the real DLL under Wine.
dist: build-windows
	rm -rf dist
	mkdir -p dist/host
	cp $(WINDOWS)/bin/varentis.xll packaging/varentis.reg dist/
	cp $(WINDOWS)/bin/xlhost.exe $(WINDOWS)/bin/XLCALL32.DLL dist/host/
	i686-w64-mingw32-strip --strip-debug dist/varentis.xll dist/host/xlhost.exe dist/host/XLCALL32.DLL

bench: build
	$(NATIVE)/bench/varentis_bench

clean:
	rm -rf build dist out
