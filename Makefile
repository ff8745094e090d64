# The two ways in: `make run` builds and starts Halvorn, `make test` builds and runs every test.
# SANITIZE=1 builds into its own folder with AddressSanitizer and UndefinedBehaviorSanitizer;
# WERROR=1 turns every compiler warning into an error.
BUILD_DIR ?= $(if $(SANITIZE),build-sanitize,build)
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test fuzz art translations package clean

all: build

deps:
	@scripts/install-packages debian-packages.txt

# A compiler cache, where the machine has one, keeps rebuilds after a branch switch short.
CCACHE := $(shell command -v ccache 2>/dev/null)

CMAKE_OPTIONS = -DCMAKE_BUILD_TYPE=RelWithDebInfo $(if $(CCACHE),-DCMAKE_CXX_COMPILER_LAUNCHER=$(CCACHE)) \
	-DHALVORN_SANITIZE=$(if $(SANITIZE),ON,OFF) -DHALVORN_WERROR=$(if $(WERROR),ON,OFF)

# Configuring again is cheap and picks up a changed WERROR.
configure: deps
	cmake -S . -B $(BUILD_DIR) $(CMAKE_OPTIONS) > /dev/null

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@if [ -z "$${DISPLAY:-}" ] && [ -z "$${WAYLAND_DISPLAY:-}" ]; then \
		echo "No display found: start Halvorn under a virtual one with 'xvfb-run -a make run'."; \
		exit 1; \
	fi
	$(BUILD_DIR)/halvorn

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

package: build
	cd $(BUILD_DIR) && cpack -G DEB

# Each fuzz target for FUZZ_SECONDS (`make test` gives them a few seconds each).
FUZZ_SECONDS ?= 300
fuzz: build
	@for program in $(BUILD_DIR)/fuzzers/*; do \
		name=$${program##*/}; \
		$$program -max_total_time=$(FUZZ_SECONDS) $(BUILD_DIR)/fuzz-corpus/$$name fuzz/corpus/$$name || exit 1; \
	done

art: configure
	cmake --build $(BUILD_DIR) --target art

# Brings translations/*.ts up to date with the texts of the sources: new texts come in unfinished,
# for a translator to fill in; texts the sources no longer have go.
translations: configure
	cmake --build $(BUILD_DIR) --target translations

clean:
	rm -rf $(BUILD_DIR)
