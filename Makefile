# The two set-up commands: `make run` and `make test`. Each installs what the
# project needs (scripts/setup), configures and builds, then runs.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: setup configure build run test bench conformance test-sanitize fuzz clean

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

# The whole suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer
# in its own folder; a memory error, a leak or undefined behaviour fails the test.
SANITIZE_BUILD ?= build-sanitize
SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:hard_rss_limit_mb=4096 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0

test-sanitize: setup
	@cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Sanitize -DWORDLARK_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	@cd $(SANITIZE_BUILD) && QT_QPA_PLATFORM=offscreen $(SANITIZER_ENV) ctest --output-on-failure -j $(JOBS) --timeout 1200

# One fuzz target under libFuzzer for S seconds, at the lowest CPU priority:
# `make fuzz T=SwfFuzz S=600`. Its growing corpus and any crash stay in build-fuzz/.
FUZZ_BUILD ?= build-fuzz
T ?=
S ?= 60

fuzz: setup
	@test -n "$(T)" || { echo "usage: make fuzz T=<target> S=<seconds>, targets: $$(cd fuzz && ls *Fuzz.cpp | sed 's/.cpp//' | tr '\n' ' ')"; exit 2; }
	@CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Sanitize -DWORDLARK_FUZZ=ON >/dev/null
	@nice -n 19 cmake --build $(FUZZ_BUILD) --target $(T) $(if $(filter ActionFuzz,$(T)),ActionSeeds) -j $(JOBS)
	@nice -n 19 bash fuzz/run.sh $(FUZZ_BUILD) $(T) $(S)

clean:
	@rm -rf $(BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD)
