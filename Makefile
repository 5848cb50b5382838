# The two commands a newcomer needs: `make run` and `make test`. `make bench` runs the benchmarks.
BUILD_DIR ?= build
CMAKE_FLAGS ?=

.PHONY: all setup configure build run test bench package clean

all: build

setup:
	@./scripts/setup

$(BUILD_DIR)/build.ninja:
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)

configure: setup $(BUILD_DIR)/build.ninja

build: configure
	cmake --build $(BUILD_DIR)

run: build
	./$(BUILD_DIR)/serialix

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure

bench: build
	./scripts/bench $(BUILD_DIR)

# The Debian package $(BUILD_DIR)/serialix_*.deb (needs dpkg-dev for the library dependencies).
package: build
	cmake --build $(BUILD_DIR) --target package

clean:
	rm -rf $(BUILD_DIR)
