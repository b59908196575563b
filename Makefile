# Quenk: the two commands a new developer needs are `make run` and `make test`.
BUILD      ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS       ?= $(shell nproc)
SAMPLE     ?= samples/schild.plt
FUZZ_SECONDS ?= 60

.PHONY: all deps configure build run test bench bench-ui fuzz asan tsan clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/ui/quenk $(SAMPLE)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: deps
	@cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" -DQUENK_BUILD_UI=OFF -DQUENK_BUILD_BENCH=ON >/dev/null
	@cmake --build build-bench -j $(JOBS)
	@scripts/run-bench build-bench

# The drawing view's repaint, which needs the desktop program's library.
bench-ui: deps
	@cmake -S . -B build-bench-ui -G Ninja -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" -DQUENK_BUILD_TESTS=OFF -DQUENK_BUILD_BENCH=ON >/dev/null
	@cmake --build build-bench-ui -j $(JOBS) --target bench_repaint
	./build-bench-ui/bench/bench_repaint

fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUENK_BUILD_UI=OFF -DQUENK_FUZZ=ON >/dev/null
	@cmake --build build-fuzz -j $(JOBS)
	@scripts/run-fuzz build-fuzz $(FUZZ_SECONDS)

asan: deps
	@cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUENK_SANITIZE=ON >/dev/null
	@cmake --build build-asan -j $(JOBS)
	cd build-asan && LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The import's joining and moving the radius correction and the GRBL sender run on several threads; these tests drive them.
tsan: deps
	@cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUENK_BUILD_UI=OFF -DQUENK_TSAN=ON >/dev/null
	@cmake --build build-tsan -j $(JOBS) --target core_tests
	cd build-tsan && TSAN_OPTIONS=halt_on_error=1 ctest --output-on-failure -j $(JOBS) -R "ImportSteps|RunPieces|JoinRandom|Hpgl|Cad|Dwg|RadiusCommandThreads|LargeContourChecks|ClearanceGrid|GrblSender"

clean:
	rm -rf build build-bench build-fuzz build-asan build-tsan
