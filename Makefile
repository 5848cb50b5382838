# The two commands a newcomer needs: `make run` and `make test`. `make bench` runs the benchmarks.
BUILD_DIR ?= build
CMAKE_FLAGS ?=
# Warnings fail the build of `make test` (and CI); `make test WERROR=OFF` turns that off.
WERROR ?= ON

.PHONY: all setup configure build run test bench package sanitize clean

all: build

setup:
	@./scripts/setup

$(BUILD_DIR)/build.ninja:
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DSERIALIX_WERROR=$(WERROR) $(CMAKE_FLAGS)

configure: setup $(BUILD_DIR)/build.ninja

build: configure
	cmake --build $(BUILD_DIR)

run: build
	./$(BUILD_DIR)/serialix

test: configure
	cmake -S . -B $(BUILD_DIR) -DSERIALIX_WERROR=$(WERROR) > /dev/null
	cmake --build $(BUILD_DIR)
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure

bench: build
	./scripts/bench $(BUILD_DIR)

# The Debian package $(BUILD_DIR)/serialix_*.deb; `scripts/setup --package` adds dpkg-dev, whose
# dpkg-shlibdeps turns the program's libraries into the package's dependencies.
package: build
	@./scripts/setup --package
	cmake --build $(BUILD_DIR) --target package

# Every test under clang's address and undefined-behaviour sanitizers, in a build dir of its own.
SANITIZE_DIR ?= build-sanitize
SANITIZE_FLAGS = -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer

sanitize:
	cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
	  -DSERIALIX_BUILD_BENCH=OFF -DCMAKE_CXX_FLAGS="-O1 $(SANITIZE_FLAGS)" \
	  -DCMAKE_EXE_LINKER_FLAGS="$(SANITIZE_FLAGS)" $(CMAKE_FLAGS)
	cmake --build $(SANITIZE_DIR)
	cd $(SANITIZE_DIR) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  UBSAN_OPTIONS=print_stacktrace=1 LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp \
	  ctest --output-on-failure

clean:
	rm -rf $(BUILD_DIR)
