# Two commands do everything on a fresh Debian machine, installing what it lacks:
#   make demo   builds the program and runs it on the bundled examples
#   make test   builds and runs every test: unit and end-to-end tests, again under
#               AddressSanitizer and UBSan, the pages in a real browser, and the fuzzers
BUILD := build/release
SANITIZE := build/sanitize
DEMO := demo

.PHONY: all demo test unit-test browser-test fuzz build clean

all: build

build:
	tools/setup build
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build $(BUILD)

demo: build
	rm -rf $(DEMO) && mkdir -p $(DEMO) && cp -r examples/compare_in $(DEMO)/
	cd $(DEMO) && if [ -t 0 ]; then ../$(BUILD)/quillon; else ../$(BUILD)/quillon < ../examples/keys; fi
	@echo "Open $(DEMO)/htm_out/page_01.htm in a browser."

test: unit-test browser-test fuzz

unit-test: build
	tools/setup test
	tools/check_layers
	cd $(BUILD) && ctest --output-on-failure -j2
	cmake -S . -B $(SANITIZE) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILLON_SANITIZE=ON >/dev/null
	cmake --build $(SANITIZE)
	cd $(SANITIZE) && ctest --output-on-failure -j2

browser-test: build
	tools/setup test
	tests/browser/run $(BUILD)/quillon

fuzz:
	tools/setup test
	fuzz/run

clean:
	rm -rf build $(DEMO)
