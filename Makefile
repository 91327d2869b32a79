# The two set-up commands: `make run` and `make test`. Each installs what the
# project needs (scripts/setup), configures and builds, then runs.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: setup configure build run test bench conformance clean

setup:
	@bash scripts/setup

configure: setup
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@bash scripts/run $(BUILD)

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) --timeout 600

# The movie control against the reference corpus beside the repository; the
# Markdown report goes into the build folder. Fails on a regression from
# tests/conformance/passing.txt.
conformance: build
	@QT_QPA_PLATFORM=offscreen $(BUILD)/tools/swfcheck/swfcheck --jobs $(JOBS) \
		--passing tests/conformance/passing.txt --report $(BUILD)/conformance.md ../shared/swf-corpus; \
		status=$$?; echo "Report: $(BUILD)/conformance.md"; exit $$status

bench: build
	@QT_QPA_PLATFORM=offscreen $(BUILD)/bench/wordlark_bench

clean:
	@rm -rf $(BUILD)
