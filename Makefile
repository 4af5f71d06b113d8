# The two set-up commands of the README: `make run` and `make test`.
# Both install what is missing (Debian packages), build, and then start or test.
BUILD ?= build
JOBS  ?= $(shell nproc)

.PHONY: deps build run test bench clean

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/src/app/stimmung

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && QT_QPA_PLATFORM=offscreen "$$b"; done

clean:
	rm -rf $(BUILD)
