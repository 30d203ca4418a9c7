# make run   - installs what is missing, builds and starts the program
# make test  - installs what is missing, builds and runs every test
# make package - builds the Debian package orvik_<version>_<arch>.deb in $(BUILD)
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all setup configure build run test package clean

all: build

setup:
	@./scripts/setup.sh

configure: setup
	@if [ -f $(BUILD)/CMakeCache.txt ]; then cmake -S . -B $(BUILD) >/dev/null; \
	else cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null; fi

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD) && ./orvik

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	JOBS=$(JOBS) ./scripts/sanitize-and-fuzz.sh

package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD)
