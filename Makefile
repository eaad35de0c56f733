# The project's commands. `make test` and `make run` are the two a newcomer needs.
JOBS ?= $(shell nproc)
BUILD ?= build
CTEST = ctest --output-on-failure -j$(JOBS) --test-dir
# The project's own builds stop on any compiler warning.
WERROR = -DQVARN_WERROR=ON

.PHONY: all deps build test run bench test-asan test-tsan test-damage fuzz format

all: build

deps:
	scripts/install-deps

build: deps
	scripts/configure $(BUILD) $(WERROR)
	cmake --build $(BUILD) -j$(JOBS)

test: build
	$(CTEST) $(BUILD)

run: build
	$(BUILD)/tools/mkdemo $(BUILD)/demo
	$(BUILD)/qvarn-player $(BUILD)/demo

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b" || exit 1; done

test-asan: deps
	scripts/configure build-asan $(WERROR) -DQVARN_SANITIZE=address -DQVARN_BENCH=OFF
	cmake --build build-asan -j$(JOBS)
	ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp $(CTEST) build-asan

# The sanitized player on damaged copies of the demo game (scripts/damage-run): a table of how
# the runs ended, failing on a sanitizer report, a hang, a failed start with exit 0 or a lost save.
test-damage: deps
	scripts/configure build-asan $(WERROR) -DQVARN_SANITIZE=address -DQVARN_BENCH=OFF
	cmake --build build-asan -j$(JOBS) --target qvarn-player mkdemo qvapack
	scripts/damage-run build-asan --jobs $(JOBS)

test-tsan: deps
	scripts/configure build-tsan $(WERROR) -DQVARN_SANITIZE=thread -DQVARN_BENCH=OFF
	cmake --build build-tsan -j$(JOBS)
	TSAN_OPTIONS=suppressions=$(CURDIR)/scripts/tsan.supp $(CTEST) build-tsan

FUZZ_SECONDS ?= 600
fuzz: deps
	CC=clang CXX=clang++ scripts/configure build-fuzz $(WERROR) -DQVARN_FUZZ=ON -DQVARN_TESTS=ON -DQVARN_BENCH=OFF
	cmake --build build-fuzz -j$(JOBS)
	@for f in build-fuzz/tests/fuzz/fuzz_*; do \
	  name=$$(basename $$f | sed 's/^fuzz_//'); \
	  mkdir -p build-fuzz/corpus/$$name; \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp $$f -artifact_prefix=build-fuzz/ -max_total_time=$$(( $(FUZZ_SECONDS) / $$(ls build-fuzz/tests/fuzz/fuzz_* | wc -l) )) \
	    build-fuzz/corpus/$$name tests/fuzz/seeds/$$name || exit 1; \
	done

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i
