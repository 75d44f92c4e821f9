# The two set-up commands: `make run` builds and starts the game, `make test` builds and runs every test.
BUILD ?= build
CMAKE_FLAGS ?=
PREFIX ?= /usr/local

.PHONY: run test build deps bench clean packs font install uninstall

run: build
	cd $(BUILD) && ./zentiles

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j$$(nproc)

build: deps
	@[ -f $(BUILD)/build.ninja ] || cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)
	cmake --build $(BUILD)

deps:
	@scripts/install-deps.sh

# Rebuilds the shipped pack files from their sources in assets/packs and checks them.
packs: build
	$(BUILD)/zentiles-pack build assets/packs/freeware.txt assets/freeware.zdb --pack 0
	$(BUILD)/zentiles-pack build assets/packs/pack1.txt assets/pack1.zdb --pack 1
	$(BUILD)/zentiles-pack build assets/packs/pack2.txt assets/pack2.zdb --pack 2
	$(BUILD)/zentiles-pack build assets/packs/pack3.txt assets/pack3.zdb --pack 3
	$(BUILD)/zentiles-pack check assets/freeware.zdb assets/pack1.zdb assets/pack2.zdb assets/pack3.zdb

# Bakes the user interface's font from the Debian DejaVu Sans files into src/platform/system_font.cpp.
font: build
	$(BUILD)/zentiles-make_font src/platform/system_font.cpp

# Installs the game under PREFIX: bin/zentiles, share/zentiles (the shipped files), the desktop
# entry and the icons. Nothing is written outside PREFIX.
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# Removes exactly the files the last install from $(BUILD) put there (CMake's install manifest),
# then the game's own folders under share/ if they are left empty.
uninstall:
	@[ -f $(BUILD)/install_manifest.txt ] || { echo "uninstall: nothing was installed from $(BUILD)"; exit 1; }
	xargs -d '\n' rm -f -- < $(BUILD)/install_manifest.txt
	sed -n 's#^\(.*/share/zentiles\)/.*#\1#p' $(BUILD)/install_manifest.txt | sort -u | \
	  while read -r folder; do [ -d "$$folder" ] && find "$$folder" -depth -type d -empty -delete; done; true

bench: build
	$(BUILD)/zentiles_bench

clean:
	rm -rf $(BUILD)
