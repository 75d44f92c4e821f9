# The two set-up commands: `make run` builds and starts the game, `make test` builds and runs every test.
BUILD ?= build
CMAKE_FLAGS ?=

.PHONY: run test build deps bench clean

run: build
	cd $(BUILD) && ./zentiles

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j$$(nproc)

build: deps
	@[ -f $(BUILD)/build.ninja ] || cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)
	cmake --build $(BUILD)

deps:
	@scripts/install-deps.sh

bench: build
	$(BUILD)/zentiles_bench

clean:
	rm -rf $(BUILD)
