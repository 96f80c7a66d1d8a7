# The two commands of the README: `make demo` and `make test`. Both install
# what is missing first (scripts/setup.sh), then configure and build.
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
JOBS ?= $(shell nproc)

.PHONY: setup build demo test sanitize bench clean

setup:
	@./scripts/setup.sh

build: setup
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

demo: build
	$(BUILD)/bin/zenphal-cli decompose example:5 example:6

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The core's tests under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: setup
	@cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZENPHAL_CORE_ONLY=ON \
	  -DCMAKE_CXX_FLAGS="-O1 -g -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer" \
	  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	cd $(SANITIZE_BUILD) && ctest --output-on-failure -j $(JOBS) -L core

bench: build
	$(BUILD)/bin/zenphal-bench

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD)
