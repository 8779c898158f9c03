# The two commands of the README: `make demo` and `make test`. Both install what is missing.
NATIVE   := build/native
SANITIZE := build/sanitize
JOBS     ?= $(shell nproc)
CMAKE_GEN := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")
XLHOST   := $(NATIVE)/host/xlhost

.PHONY: all deps deps-native build build-sanitize demo chart-png test test-native bench clean

all: build

deps-native:
	@scripts/setup.sh native

deps:
	@scripts/setup.sh all

$(NATIVE)/CMakeCache.txt: | deps-native
	cmake -S . -B $(NATIVE) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo

$(SANITIZE)/CMakeCache.txt: | deps-native
	cmake -S . -B $(SANITIZE) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DVX_SANITIZE=ON

build: deps-native $(NATIVE)/CMakeCache.txt
	cmake --build $(NATIVE) -j $(JOBS)

build-sanitize: deps-native $(SANITIZE)/CMakeCache.txt
	cmake --build $(SANITIZE) -j $(JOBS)

demo: build
	$(XLHOST) calc examples/demo.csv
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

test-native: build build-sanitize
	cd $(NATIVE) && ctest --output-on-failure -j $(JOBS)
	cd $(SANITIZE) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

test: test-native

bench: build
	$(NATIVE)/bench/varentis_bench

clean:
	rm -rf build dist out
