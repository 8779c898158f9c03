# The two commands of the README: `make demo` and `make test`. Both install what is missing.
NATIVE   := build/native
SANITIZE := build/sanitize
WINDOWS  := build/windows
WINDOWS64 := build/windows64
FUZZ     := build/fuzz
# Seconds each fuzz target runs: `make fuzz` (FUZZ_SECONDS=600 make fuzz for longer), and the
# smoke run of `make test`.
FUZZ_SECONDS ?= 60
FUZZ_SMOKE_SECONDS ?= 5
JOBS     ?= $(shell nproc)
CMAKE_GEN := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")
XLHOST   := $(NATIVE)/host/xlhost

.PHONY: all deps deps-native deps-windows deps-fuzz deps-windows-libraries deps-fuzz-libraries deps-native-libraries build build-sanitize build-windows build-fuzz demo chart-png screenshots test test-native test-windows suites-windows soak fuzz fuzz-smoke dist bench precision precision-baseline clean

all: build

# VX_SETUP_DONE: the set-up already ran in this `make test` (scripts/test.sh).
SETUP := $(if $(VX_SETUP_DONE),@true,@scripts/setup.sh)

deps-native:
	$(SETUP) native

deps-windows:
	$(SETUP) windows

deps-fuzz:
	$(SETUP) fuzz

deps:
	$(SETUP) all

# The libraries built from Debian's source packages (scripts/mingw-deps.sh), which `make test`
# builds in the lane that needs them.
deps-windows-libraries:
	scripts/mingw-deps.sh i686
	scripts/mingw-deps.sh x86_64

deps-fuzz-libraries:
	scripts/mingw-deps.sh fuzz

# musl's maths, which every build compiles the calculation cores against (the Linux ones too).
deps-native-libraries: deps-native
	scripts/mingw-deps.sh native

$(NATIVE)/CMakeCache.txt: | deps-native deps-native-libraries
	cmake -S . -B $(NATIVE) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo

$(SANITIZE)/CMakeCache.txt: | deps-native deps-native-libraries
	cmake -S . -B $(SANITIZE) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DVX_SANITIZE=ON

# The real add-in, cross-built with mingw-w64 from the same sources for both Excels and tested
# under Wine: varentis.xll for a 32-bit Excel, varentis64.xll for a 64-bit one.
$(WINDOWS)/CMakeCache.txt: | deps-windows
	cmake -S . -B $(WINDOWS) $(CMAKE_GEN) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=RelWithDebInfo

$(WINDOWS64)/CMakeCache.txt: | deps-windows
	cmake -S . -B $(WINDOWS64) $(CMAKE_GEN) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=RelWithDebInfo

# The fuzz targets: clang with libFuzzer, ASan and UBSan over the add-in, the host and the
# platform stand-in (no suites, no benchmarks).
$(FUZZ)/CMakeCache.txt: | deps-fuzz deps-native-libraries
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVX_FUZZ=ON -DVX_TESTS=OFF -DVX_BENCH=OFF

# Both lanes of `make test` build the native tree (the Windows suites compare against it): one at
# a time.
build: deps-native deps-native-libraries $(NATIVE)/CMakeCache.txt
	flock build/.native.lock cmake --build $(NATIVE) -j $(JOBS)

build-sanitize: deps-native deps-native-libraries $(SANITIZE)/CMakeCache.txt
	cmake --build $(SANITIZE) -j $(JOBS)

build-windows: deps-windows $(WINDOWS)/CMakeCache.txt $(WINDOWS64)/CMakeCache.txt
	cmake --build $(WINDOWS) -j $(JOBS)
	cmake --build $(WINDOWS64) -j $(JOBS)

build-fuzz: deps-fuzz deps-native-libraries $(FUZZ)/CMakeCache.txt
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

# The same Windows suites for both architectures, each build folder in Wine prefixes of its kind;
# without wine32, the 64-bit ones only, and loudly so (scripts/test.sh). The suites need the native
# build too, whose answers the DLLs' must equal (identical_to_native).
test-windows:
	@VX_MAKE="$(MAKE)" scripts/test.sh windows

WINDOWS_SUITES ?= $(WINDOWS) $(WINDOWS64)
suites-windows: build-windows build
	VX_JOBS=$(JOBS) scripts/wine/test-windows.sh $(WINDOWS_SUITES)

# Each fuzz target for FUZZ_SECONDS from its corpus in tests/fuzz/corpus.
fuzz: build-fuzz
	scripts/fuzz.sh $(FUZZ) $(FUZZ_SECONDS)

fuzz-smoke: build-fuzz
	scripts/fuzz.sh $(FUZZ) $(FUZZ_SMOKE_SECONDS)

# Everything: the native and sanitizer suites and the fuzz targets' smoke run, and beside them
# both Windows builds and their suites under Wine (scripts/test.sh).
test:
	@VX_MAKE="$(MAKE)" scripts/test.sh all

# The add-in loaded, recalculated and unloaded 10000 times in one process (make test runs 1000).
soak: build
	VX_SOAK_CYCLES=10000 $(NATIVE)/tests/soak_tests

# What to copy to a Windows machine, one folder per Excel: dist/x86/ for a 32-bit Excel and
# dist/x64/ for a 64-bit one, each with the add-in, its settings file and the Windows host with
# its stand-in XLCALL32.DLL to try the real DLL under Wine.
dist: build-windows
	rm -rf dist
	mkdir -p dist/x86/host dist/x64/host
	cp $(WINDOWS)/bin/varentis.xll packaging/varentis.reg dist/x86/
	cp $(WINDOWS)/bin/xlhost.exe $(WINDOWS)/bin/XLCALL32.DLL dist/x86/host/
	i686-w64-mingw32-strip --strip-debug dist/x86/varentis.xll dist/x86/host/xlhost.exe dist/x86/host/XLCALL32.DLL
	cp $(WINDOWS64)/bin/varentis64.xll packaging/varentis64.reg dist/x64/
	cp $(WINDOWS64)/bin/xlhost64.exe $(WINDOWS64)/bin/XLCALL32.DLL dist/x64/host/
	x86_64-w64-mingw32-strip --strip-debug dist/x64/varentis64.xll dist/x64/host/xlhost64.exe dist/x64/host/XLCALL32.DLL

# The benchmarks against their QuantLib peer (installed here, for this target only): medians of
# five repetitions, interleaved at random, as a table; the raw figures in out/bench.json.
# Which Windows figures exist is known only once bench.sh has run, so the last line's shell looks
# for them: make would expand a $(wildcard) before the recipe's first line runs.
BENCH_FLAGS ?= --benchmark_repetitions=5 --benchmark_min_time=0.2 --benchmark_enable_random_interleaving=true

bench: deps-native
	@scripts/setup.sh bench
	cmake -S . -B $(NATIVE) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVX_BENCH_PEER=ON
	cmake --build $(NATIVE) -j $(JOBS) --target varentis_bench
	@mkdir -p out
	$(NATIVE)/bench/varentis_bench $(BENCH_FLAGS) --benchmark_display_aggregates_only=true \
	  --benchmark_out=out/bench.json --benchmark_out_format=json
	@scripts/setup.sh windows
	JOBS=$(JOBS) scripts/wine/bench.sh out $(BENCH_FLAGS) --benchmark_display_aggregates_only=true
	/usr/bin/python3 bench/report.py out/bench.json $$(for a in i686 x86_64; do if [ -f out/bench-$$a.json ]; then echo --wine $$a=out/bench-$$a.json; fi; done)

# The precision of VX.INTERPOLEX, VX.CSPLINE and VX.DURATION against exact answers on 10^6
# random cases (made once, with their exact answers, into out/precision/), and against the
# baseline's answers when `make precision-baseline` has made them.
PRECISION := /usr/bin/python3 bench/precision/run.py --driver $(NATIVE)/bench/precision_driver --work out/precision

# Through both Windows DLLs under Wine too: their answers must be the native build's, bit for bit.
PRECISION_WINE = $(foreach b,$(WINDOWS) $(WINDOWS64),\
  cmake --build $(b) -j $(JOBS) --target varentis precision_driver && \
  VX_WINE_BUILD=$(b) VARENTIS_ADDIN=$$(ls $(b)/bin/varentis*.xll) scripts/wine/in-prefix.sh precision \
  /usr/bin/python3 bench/precision/run.py --driver "wine $(b)/bin/precision_driver.exe" --work out/precision \
  --answers $(notdir $(b)).txt --identical-to answers.txt &&) true

precision: build deps-windows $(WINDOWS)/CMakeCache.txt $(WINDOWS64)/CMakeCache.txt
	$(PRECISION) --baseline baseline.txt
	$(PRECISION_WINE)

# The answers of the add-in as it was at PRECISION_BASE (the cores before the speed work), for
# the same cases: that revision's add-in is built apart, under build/precision-base/.
PRECISION_BASE ?= 321440a
precision-baseline: build
	rm -rf build/precision-base/src && mkdir -p build/precision-base/src
	git archive $(PRECISION_BASE) | tar -x -C build/precision-base/src
	cmake -S build/precision-base/src -B build/precision-base/build $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DVX_TESTS=OFF -DVX_BENCH=OFF
	cmake --build build/precision-base/build -j $(JOBS) --target varentis
	$(PRECISION) --addin build/precision-base/build/src/libvarentis.so --answers baseline.txt

clean:
	rm -rf build dist out
