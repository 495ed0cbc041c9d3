# Convenience entry points; everything is CMake underneath.
BUILD ?= build
SAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc)
SAMPLE ?= sample.pd4/triangle.pd4

.PHONY: deps build web run test deb sanitize fuzz bench format clean

deps:
	scripts/install-deps

build: deps
	cmake -S . -B $(BUILD) -G Ninja
	cmake --build $(BUILD) -j $(JOBS)

# The browser scripts: the web viewer and the program, in $(BUILD)/web (the build makes them too).
web: deps
	cmake -S . -B $(BUILD) -G Ninja
	cmake --build $(BUILD) --target plandra_web -j $(JOBS)

run: build
	$(BUILD)/plandra $(SAMPLE)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The Debian package, $(BUILD)/plandra_VERSION_ARCH.deb; its dependencies
# are read from the programs' own links.
deb: build
	cd $(BUILD) && cpack -G DEB

sanitize: deps
	cmake -S . -B $(SAN_BUILD) -G Ninja -DPLANDRA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
	cmake --build $(SAN_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir $(SAN_BUILD) --output-on-failure -j $(JOBS)

fuzz: deps
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DPLANDRA_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	scripts/run-fuzzers $(FUZZ_BUILD) $(FUZZ_SECONDS)

bench: build
	for b in $(BUILD)/bench/bench_*; do $$b --benchmark_min_time=0.2; done

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(FUZZ_BUILD)
