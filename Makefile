# Thin wrapper: install what is missing, configure once, build, then run or test.
BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60

# Debian packages, one list per purpose; each target installs only its own.
# Building and running: compiler, CMake, Qt, and what the program needs at run
# time (packaging/run-depends.txt).
RUN_PACKAGES := cmake g++ make qt6-base-dev qt6-svg-dev \
    $(shell sed -n 's/^\([a-z0-9][a-z0-9.+-]*\).*/\1/p' packaging/run-depends.txt)
# Building the Debian package (dpkg-shlibdeps, and file, which CPack asks)
# and its bill of materials: Debian's copyright-file and SPDX-expression
# parsers, the SPDX licence list, and a JSON schema checker.
SBOM_PACKAGES := python3 python3-debian python3-license-expression python3-jsonschema \
    node-spdx-license-ids node-spdx-exceptions
PACKAGE_PACKAGES := dpkg-dev file $(SBOM_PACKAGES)
# reprotest, which builds the release files twice under other conditions
# (faketime, a locale, another user through sudo) and shows what differs
# (diffoscope).
TWICE_PACKAGES := reprotest faketime locales sudo diffoscope-minimal
# The tests: private X server, Weston and Sway, input, screenshots, the
# accessibility bus, the checkers of the package and its desktop files.
TEST_PACKAGES := $(PACKAGE_PACKAGES) xvfb xauth xdotool netpbm weston sway adwaita-icon-theme \
    at-spi2-core python3-pyatspi dbus desktop-file-utils appstream lintian devscripts \
    $(TWICE_PACKAGES)
FUZZ_PACKAGES := clang libclang-rt-dev
BENCH_PACKAGES := xvfb xauth libbenchmark-dev libxcb1-dev pkg-config
# The Windows program: the cross compiler, Ninja and Debian's Qt source for
# the cross Qt and Qt's attribution scanner for its notices; wixl and msitools
# for the installer, with faketime to date it, osslsigncode to sign, zip;
# Wine, the input tools and openssl (a throwaway certificate) to try them.
WINDOWS_PACKAGES := g++-mingw-w64-x86-64-posix ninja-build wixl msitools faketime osslsigncode \
    dpkg-dev xz-utils qt6-documentation-tools zip $(SBOM_PACKAGES)
WINDOWS_TEST_PACKAGES := wine wine64 xvfb xauth xdotool locales openssl $(TWICE_PACKAGES)
WINDOWS_DIR ?= build-windows
HOST_RELEASE := $(shell . /etc/os-release && echo $$VERSION_CODENAME)
# The cross Qt is built once into the user's cache folder, keyed by the
# Debian version of the Qt here (a Debian security update is a new key) and by
# the scripts and toolchain file that build it.
QT_WINDOWS = $(or $(XDG_CACHE_HOME),$(HOME)/.cache)/tarvelo/qt-$(shell \
    dpkg-query -W -f='$${Version}' qt6-base-dev)-mingw-$(shell cat packaging/windows/build-qt.sh \
    packaging/windows/qt-notices.py packaging/windows/mingw-w64-x86_64.cmake | sha256sum | cut -c1-12)

# Dates written into what the build makes (archive entries, the Windows
# files' headers, resources) are those of the last commit; in a source
# tarball made by git archive, packaging/source-date-epoch holds that date.
ifeq ($(origin SOURCE_DATE_EPOCH),undefined)
SOURCE_DATE_EPOCH := $(firstword $(shell sed -n '/^[0-9][0-9]*$$/p' packaging/source-date-epoch) \
    $(shell git log -1 --format=%ct 2>/dev/null))
endif
ifneq ($(SOURCE_DATE_EPOCH),)
export SOURCE_DATE_EPOCH
endif

# Installs the packages named in $(1) that are missing: as root, or through
# sudo; without either it says what to install and stops. Those that only
# some releases have count where the package lists know them, so once more
# after they are brought up to date.
define install_missing
@missing() { for p in $(RUN_PACKAGES) $(1); do \
	    dpkg-query -W -f='$${db:Status-Status}\n' $$p 2>/dev/null | grep -qx installed || echo $$p; \
	done; }; \
	if [ -z "$$(missing)" ]; then exit 0; fi; \
	if [ "$$(id -u)" -eq 0 ]; then sudo=; elif command -v sudo >/dev/null; then sudo=sudo; else \
	    echo "Missing Debian packages; as root, run: apt-get install" $$(missing) >&2; exit 1; \
	fi; \
	$$sudo apt-get update -qq && echo "Installing:" $$(missing) && \
	$$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $$(missing)
endef

# CMAKE_OPTIONS: more options for the first configure of BUILD_DIR and
# WINDOWS_DIR (make release builds without the tests).
# Configures build folder $(1) with the CMake options $(2) and the
# environment $(3), unless an earlier configure of it succeeded (a failed one
# leaves no Makefile behind, so it is tried again).
configure_once = @test -f $(1)/Makefile || $(3) cmake -S . -B $(1) $(2)

.PHONY: all program build run test test-other-release sanitize fuzz bench screenshot package install windows \
    windows-test release

all: build

# The program alone, with only what building and running need.
program:
	$(call install_missing)
	$(call configure_once,$(BUILD_DIR),-DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_OPTIONS))
	cmake --build $(BUILD_DIR) --parallel $$(nproc) --target tarvelo

run: program
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	    echo "make run: no X or Wayland display found (DISPLAY and WAYLAND_DISPLAY are unset)" >&2; \
	    exit 1; \
	fi
	$(BUILD_DIR)/window/tarvelo

# Everything but the benchmarks: the program, its desktop files and the tests.
build: program
	cmake --build $(BUILD_DIR) --parallel $$(nproc)

test: build
	$(call install_missing,$(TEST_PACKAGES))
	ctest --test-dir $(BUILD_DIR) --output-on-failure --no-tests=error --timeout 300

# Every test again on the other Debian release (13 here on Debian 12, 12 on
# Debian 13), as root in a minimal root of that release kept in the user's
# cache folder, on the source as a release's tarball holds it; then that
# release's own package, installed there by apt with what it depends on, and
# tried as its user would (the end-to-end test on X11, on /usr/bin/tarvelo).
OTHER_RELEASE = $(if $(filter bookworm,$(HOST_RELEASE)),trixie,bookworm)
test-other-release:
	bash packaging/debian-root.sh $(OTHER_RELEASE) sh -c 'make test package && \
	    apt-get install -y -qq --no-install-recommends ./build/tarvelo_*_amd64.deb >/dev/null && \
	    bash tests/e2e/run.sh x11 compute /usr/bin/tarvelo'

# Every test again, on a build with AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize:
	$(call install_missing,$(TEST_PACKAGES))
	$(call configure_once,$(SANITIZE_DIR),-DCMAKE_BUILD_TYPE=Debug -DTARVELO_SANITIZE=ON)
	cmake --build $(SANITIZE_DIR) --parallel $$(nproc)
	ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizer/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	    ctest --test-dir $(SANITIZE_DIR) --output-on-failure --no-tests=error --timeout 600

# Fuzzes the number texts and the formula for FUZZ_SECONDS, from the seeds in
# fuzz/corpus; what it finds is written into $(FUZZ_DIR).
fuzz:
	$(call install_missing,$(FUZZ_PACKAGES))
	$(call configure_once,$(FUZZ_DIR),-DTARVELO_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo,CC=clang CXX=clang++)
	cmake --build $(FUZZ_DIR) --parallel $$(nproc)
	mkdir -p $(FUZZ_DIR)/corpus
	$(FUZZ_DIR)/fuzz/fuzz_weight -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    -artifact_prefix=$(FUZZ_DIR)/ $(FUZZ_DIR)/corpus fuzz/corpus

# Prints start-up, compute and conversion figures; never fails on timing.
# Configures again, so that the benchmarks' packages, once installed, are found.
bench: program
	$(call install_missing,$(BENCH_PACKAGES))
	cmake -S . -B $(BUILD_DIR) >/dev/null
	cmake --build $(BUILD_DIR) --parallel $$(nproc) --target benchmarks
	bash bench/run.sh $(BUILD_DIR)

# The README's pictures, taken by the end-to-end test after its first result.
screenshot: build
	$(call install_missing,$(TEST_PACKAGES))
	bash tests/e2e/run.sh x11 compute $(BUILD_DIR)/window/tarvelo docs/screenshot.png
	QT_SCALE_FACTOR=2 bash tests/e2e/run.sh x11 compute $(BUILD_DIR)/window/tarvelo docs/screenshot-2x.png

# The package and its bill of materials. The folders in it are made with the
# umask's bits cleared, so it is set as dpkg-buildpackage sets it.
package: build
	$(call install_missing,$(PACKAGE_PACKAGES))
	cd $(BUILD_DIR) && umask 022 && cpack -G DEB

# Installs under PREFIX (default /usr/local); DESTDIR is honoured.
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# build-windows/: the program laid out with Qt's DLLs, the installer, a zip
# and the source of the Qt that ships. The program and the installer are
# signed when CODESIGN_PFX (a PKCS#12 file) and CODESIGN_PASSWORD_FILE are
# given, with an RFC 3161 timestamp from CODESIGN_TIMESTAMP_URL if given too.
# The Windows Qt is Debian 13's: on Debian 13 both are built here; anywhere
# else, in a Debian 13 root kept in the cache folder (WINDOWS_ROOT), which
# hands back WINDOWS_DIR, and the Windows tests run there too.
WINDOWS_ROOT ?= $(if $(filter trixie,$(HOST_RELEASE)),,trixie)
ifneq ($(WINDOWS_ROOT),)
windows windows-test:
	ROOT_FILES="$(strip $(CODESIGN_PFX) $(CODESIGN_PASSWORD_FILE))" ROOT_RESULTS=$(WINDOWS_DIR) \
	    bash packaging/debian-root.sh $(WINDOWS_ROOT) make $@ WINDOWS_ROOT= \
	    BUILD_DIR=$(BUILD_DIR) WINDOWS_DIR=$(WINDOWS_DIR) CMAKE_OPTIONS='$(CMAKE_OPTIONS)' \
	    $(if $(CODESIGN_PFX),CODESIGN_PFX=/root/files/$(notdir $(CODESIGN_PFX)) \
	    CODESIGN_PASSWORD_FILE=/root/files/$(notdir $(CODESIGN_PASSWORD_FILE))) \
	    CODESIGN_TIMESTAMP_URL='$(CODESIGN_TIMESTAMP_URL)'
else
windows: program
	$(call install_missing,$(WINDOWS_PACKAGES))
	@test -f $(QT_WINDOWS)/licenses/attributions.json || nice bash packaging/windows/build-qt.sh $(QT_WINDOWS)
	$(call configure_once,$(WINDOWS_DIR),-DCMAKE_BUILD_TYPE=Release $(CMAKE_OPTIONS) \
	    -DCMAKE_TOOLCHAIN_FILE=$(QT_WINDOWS)/lib/cmake/Qt6/qt.toolchain.cmake \
	    -DTARVELO_HOST_MAKEICON=$(CURDIR)/$(BUILD_DIR)/window/makeicon \
	    -DCMAKE_CROSSCOMPILING_EMULATOR=$(CURDIR)/tests/windows/wine.sh)
	@cmake -S . -B $(WINDOWS_DIR) -DTARVELO_CODESIGN_PFX=$(abspath $(CODESIGN_PFX)) \
	    -DTARVELO_CODESIGN_PASSWORD_FILE=$(abspath $(CODESIGN_PASSWORD_FILE)) \
	    -DTARVELO_CODESIGN_TIMESTAMP_URL=$(CODESIGN_TIMESTAMP_URL) >$(WINDOWS_DIR)/signing.log \
	    && sed -n 's/^-- \(.*signing the program.*\)/\1/ip' $(WINDOWS_DIR)/signing.log
	cmake --build $(WINDOWS_DIR) --parallel $$(nproc)

# The Windows tests and the installer under Wine.
windows-test: windows
	$(call install_missing,$(WINDOWS_TEST_PACKAGES))
	ctest --test-dir $(WINDOWS_DIR) --output-on-failure --no-tests=error --timeout 600
endif

# dist/: the Debian package, the Windows installer and zip, the source of
# the commit and of the Windows Qt, a bill of materials for each binary, and
# SHA256SUMS; built afresh in build-release and build-release-windows from a
# tree with nothing uncommitted (packaging/release.sh). The signing options
# of make windows apply.
release:
	@bash packaging/release.sh dist
