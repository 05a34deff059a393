# Two commands on Debian 12, installing what the machine lacks (tools/setup):
#   make demo   builds the program alone and runs it on the bundled examples
#   make test   runs every test suite and ends with one summary of them: unit and
#               end-to-end tests, again under AddressSanitizer and UBSan, the
#               pages in Chromium and in Firefox, and the fuzzers
SHELL := /bin/bash
.SHELLFLAGS := -o pipefail -c
BUILD := build/release
SANITIZE := build/sanitize
DEMO := demo
SUMMARY := tools/test-summary
# ctest shows the output of failing tests.
export CTEST_OUTPUT_ON_FAILURE := 1
CTEST := ctest -j2 --test-dir

.PHONY: all program demo test unit-test sanitize-test browser-test fuzz clean

all: program

# The program only. A fresh build folder is configured without the tests, so
# that the demo needs no GoogleTest; make test turns them on.
program:
	@tools/setup build
	@[ -f $(BUILD)/CMakeCache.txt ] || \
	  cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLON_TESTS=OFF >/dev/null
	cmake --build $(BUILD) --target quillon

demo: program
	rm -rf $(DEMO) && mkdir -p $(DEMO) && cp -r examples/compare_in $(DEMO)/
	cd $(DEMO) && if [ -t 0 ]; then ../$(BUILD)/quillon; else ../$(BUILD)/quillon < ../examples/keys; fi
	@echo "Open $(DEMO)/htm_out/page_01.htm in a browser."

# Every suite runs, whatever the one before it did; the summary comes last.
test:
	@tools/setup test
	@$(SUMMARY) reset
	@$(SUMMARY) run "unit and end-to-end" $(MAKE) --no-print-directory unit-test
	@$(SUMMARY) run "unit and end-to-end, ASan and UBSan" $(MAKE) --no-print-directory sanitize-test
	@$(SUMMARY) run "browser, Chromium" $(MAKE) --no-print-directory browser-test BROWSERS=chromium
	@$(SUMMARY) run "browser, Firefox" $(MAKE) --no-print-directory browser-test BROWSERS=firefox
	@$(SUMMARY) run "fuzzers" $(MAKE) --no-print-directory fuzz
	@$(SUMMARY) report

unit-test:
	@tools/setup test
	@tools/check_layers
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLON_TESTS=ON >/dev/null
	cmake --build $(BUILD) | $(SUMMARY) brief
	$(CTEST) $(BUILD) | $(SUMMARY) brief

sanitize-test:
	@tools/setup test
	@cmake -S . -B $(SANITIZE) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILLON_SANITIZE=ON >/dev/null
	cmake --build $(SANITIZE) | $(SUMMARY) brief
	$(CTEST) $(SANITIZE) | $(SUMMARY) brief

# The browsers the browser test drives: make browser-test BROWSERS=firefox.
BROWSERS := chromium firefox
browser-test: program
	@tools/setup test
	tests/browser/run $(BROWSERS:%=--browser %) $(BUILD)/quillon

fuzz:
	fuzz/run

clean:
	rm -rf build $(DEMO)
