# SPDX-License-Identifier: GPL-3.0-or-later
# The two set-up commands of the README: `make run` and `make test`.
# Both install what is missing (Debian packages), build, and then start or test.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
FUZZ_SECONDS ?= 60

.PHONY: deps build run test test-e2e test-asan fuzz bench package clean

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/src/app/stimmung

# Every test once: unit and widget tests headless, the end-to-end group in its
# own virtual display (one case at a time), and a short bounded run of each
# fuzzer. Tests that play in real time or keep a core busy hold one resource
# lock, so none of them runs beside another.
test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The end-to-end group: the real program under Xvfb, captured from private PulseAudio and PipeWire null sinks.
test-e2e: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DSTIMMUNG_E2E=ON
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -L e2e

# Unit and widget tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSTIMMUNG_SANITIZE=ON -DSTIMMUNG_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS) -LE 'e2e|fuzz|packaging'

# Each fuzzer for FUZZ_SECONDS seconds.
fuzz: deps
	bash fuzz/run.sh $(FUZZ_SECONDS)

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && QT_QPA_PLATFORM=offscreen "$$b"; done

# The Debian package, built with debhelper from a copy of the tracked sources
# and checked with lintian; the .deb lands in $(BUILD)/.
package: deps
	JOBS=$(JOBS) bash packaging/build-deb.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-fuzz
