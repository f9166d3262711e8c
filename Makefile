# Thin wrapper: install what is missing, configure once, build, then run or test.
BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
PACKAGES := cmake g++ make qt6-base-dev qt6-qpa-plugins qt6-wayland \
    fonts-liberation fonts-ebgaramond fonts-dejavu-core \
    xvfb xauth xdotool netpbm weston \
    qt6-svg-dev desktop-file-utils appstream dpkg-dev file \
    at-spi2-core python3-pyatspi dbus \
    clang libclang-rt-14-dev libbenchmark-dev libxcb1-dev pkg-config
SUDO := $(if $(filter 0,$(shell id -u)),,sudo)

# Configures build folder $(1) once, with the CMake options $(2) and the
# environment $(3).
configure_once = @test -f $(1)/CMakeCache.txt || $(3) cmake -S . -B $(1) $(2)

.PHONY: all setup configure build run test sanitize fuzz bench screenshot package install

all: build

setup:
	@missing="$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${db:Status-Status}\n' $$p 2>/dev/null | grep -qx installed || echo $$p; \
	done)"; \
	if [ -n "$$missing" ]; then \
	    echo "Installing:" $$missing; \
	    $(SUDO) apt-get update -qq && \
	    $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $$missing; \
	fi

configure: setup
	$(call configure_once,$(BUILD_DIR),-DCMAKE_BUILD_TYPE=RelWithDebInfo)

build: configure
	cmake --build $(BUILD_DIR) --parallel $$(nproc)

run: build
	$(BUILD_DIR)/window/tarvelo

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure --no-tests=error --timeout 300

# Every test again, on a build with AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: setup
	$(call configure_once,$(SANITIZE_DIR),-DCMAKE_BUILD_TYPE=Debug -DTARVELO_SANITIZE=ON)
	cmake --build $(SANITIZE_DIR) --parallel $$(nproc)
	ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizer/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	    ctest --test-dir $(SANITIZE_DIR) --output-on-failure --no-tests=error --timeout 600

# Fuzzes the number texts and the formula for FUZZ_SECONDS, from the seeds in
# fuzz/corpus; what it finds is written into $(FUZZ_DIR).
fuzz: setup
	$(call configure_once,$(FUZZ_DIR),-DTARVELO_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo,CC=clang CXX=clang++)
	cmake --build $(FUZZ_DIR) --parallel $$(nproc)
	mkdir -p $(FUZZ_DIR)/corpus
	$(FUZZ_DIR)/fuzz/fuzz_weight -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    -artifact_prefix=$(FUZZ_DIR)/ $(FUZZ_DIR)/corpus fuzz/corpus

# Prints start-up, compute and conversion figures; never fails on timing.
bench: build
	bash bench/run.sh $(BUILD_DIR)

# The README's pictures, taken by the end-to-end test after its first result.
screenshot: build
	bash tests/e2e/run.sh x11 $(BUILD_DIR)/window/tarvelo docs/screenshot.png
	QT_SCALE_FACTOR=2 bash tests/e2e/run.sh x11 $(BUILD_DIR)/window/tarvelo docs/screenshot-2x.png

package: build
	cd $(BUILD_DIR) && cpack -G DEB

# Installs under PREFIX (default /usr/local); DESTDIR is honoured.
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)
