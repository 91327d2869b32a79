# The two set-up commands: `make run` and `make test`. Each installs what the
# project needs (scripts/setup), configures and builds, then runs.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: setup configure build run test bench clean

setup:
	@bash scripts/setup

configure: setup
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -n "$$DISPLAY" ] || [ -n "$$WAYLAND_DISPLAY" ]; then \
		$(BUILD)/app/wordlark; \
	else \
		echo "No display found: starting Wordlark under Xvfb (virtual display)."; \
		xvfb-run -a -s "-screen 0 1280x1024x24" $(BUILD)/app/wordlark; \
	fi

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) --timeout 600

bench: build
	@QT_QPA_PLATFORM=offscreen $(BUILD)/bench/wordlark_bench

clean:
	@rm -rf $(BUILD)
