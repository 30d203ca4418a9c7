# make run      - installs what is missing, builds and starts the program
# make test     - installs what is missing, builds and runs every test (a few minutes)
# make check    - make test, then the tests again under the sanitizers, then fuzzing
# make coverage - line and branch coverage of the model library by the model tests
# make package  - builds the Debian package orvik_<version>_<arch>.deb in $(BUILD)
BUILD ?= build
COVERAGE_BUILD ?= build-coverage
JOBS ?= $(shell nproc)

.PHONY: all setup configure build run test check coverage package clean

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
	./scripts/run-tests.sh $(BUILD) $(JOBS)

check: test
	JOBS=$(JOBS) ./scripts/sanitize-and-fuzz.sh

coverage: setup
	JOBS=$(JOBS) ./scripts/coverage.sh $(COVERAGE_BUILD)

package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD)
