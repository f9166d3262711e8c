# Thin wrapper: install what is missing, configure once, build, then run or test.
BUILD_DIR ?= build
PACKAGES := cmake g++ make qt6-base-dev qt6-qpa-plugins \
    fonts-liberation fonts-ebgaramond fonts-dejavu-core \
    xvfb xdotool xclip \
    qt6-svg-dev desktop-file-utils appstream dpkg-dev file \
    at-spi2-core python3-pyatspi dbus
SUDO := $(if $(filter 0,$(shell id -u)),,sudo)

.PHONY: all setup configure build run test screenshot package install

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
	@test -f $(BUILD_DIR)/CMakeCache.txt || cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD_DIR) --parallel $$(nproc)

run: build
	$(BUILD_DIR)/window/tarvelo

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure --no-tests=error --timeout 300

screenshot: build
	bash tests/e2e/screenshot.sh $(BUILD_DIR)/window/tarvelo $(BUILD_DIR)/tests/xgrab docs/screenshot.png
	bash tests/e2e/screenshot.sh $(BUILD_DIR)/window/tarvelo $(BUILD_DIR)/tests/xgrab docs/screenshot-2x.png 2

package: build
	cd $(BUILD_DIR) && cpack -G DEB

# Installs under PREFIX (default /usr/local); DESTDIR is honoured.
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)
