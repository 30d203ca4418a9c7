# make run      - installs what is missing, builds and starts the program
# make test     - installs what is missing, builds and runs every test (a few minutes)
# make check    - make test, the format check, the window tests under a window
#                 manager (Xvfb and openbox), then the tests again under the
#                 sanitizers, then fuzzing
# make coverage - line and branch coverage of the model library by the model tests
# make package  - builds the Debian package orvik_<version>_<arch>.deb in $(BUILD)
# make model    - builds and tests the model alone, without Qt, in $(MODEL_BUILD)
# make format   - formats every C++ file with clang-format 14
# make check-format - fails when a C++ file is not formatted
BUILD ?= build
MODEL_BUILD ?= build-model
COVERAGE_BUILD ?= build-coverage
CLANG_FORMAT ?= clang-format-14
CXX_FILES = $(shell git ls-files '*.cpp' '*.h')
JOBS ?= $(shell nproc)

.PHONY: all setup configure build run test check coverage package clean model format check-format

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

check: test check-format
	./scripts/desktop-tests.sh $(BUILD)
	JOBS=$(JOBS) ./scripts/sanitize-and-fuzz.sh

coverage: setup
	JOBS=$(JOBS) ./scripts/coverage.sh $(COVERAGE_BUILD)

package: build
	cd $(BUILD) && cpack -G DEB

# The model library, its tools and model tests, configured without Qt: a Qt
# include in the model fails this build.
model: setup
	@if [ ! -f $(MODEL_BUILD)/CMakeCache.txt ]; then cmake -S . -B $(MODEL_BUILD) -G Ninja \
		-DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVIK_WITH_UI=OFF -DORVIK_WITH_BENCH=OFF >/dev/null; fi
	cmake --build $(MODEL_BUILD) -j $(JOBS)
	cd $(MODEL_BUILD) && ctest --output-on-failure -j $(JOBS)

format:
	@$(CLANG_FORMAT) -i $(CXX_FILES)

check-format:
	@$(CLANG_FORMAT) --dry-run --Werror $(CXX_FILES) && echo "Every C++ file is formatted."

clean:
	rm -rf $(BUILD) $(MODEL_BUILD) $(COVERAGE_BUILD)
