# Set-up, build, run and test on Debian. `make run` and `make test` install what is missing.
BUILD_DIR ?= build
ASAN_DIR ?= build-asan
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 20
WINDOWS_DIR ?= build-win
JOBS ?= $(shell nproc)
# What each target needs, installed only where missing: `make run` and `make test` need the
# first list alone; the heavy checks of `make check` add theirs.
DEBIAN_PACKAGES := cmake g++ make ccache qt6-base-dev libgif-dev libgtest-dev libgmock-dev \
    libbenchmark-dev libboost-math-dev fonts-liberation fontconfig qt6-translations-l10n \
    poppler-utils locales \
    pkg-config libxlsxwriter-dev unzip qt6-httpserver-dev qt6-websockets-dev libqrencode-dev
SANITIZE_PACKAGES := clang libclang-rt-14-dev
# The survey page's test in a real browser (ctest label browser), run by `make check` alone.
BROWSER_PACKAGES := chromium chromium-driver python3-selenium zbar-tools
# A workbook made under the Russian locale read back by Calc (ctest label calc).
CALC_PACKAGES := libreoffice-calc
FORMAT_PACKAGES := clang-format
PACKAGE_PACKAGES := dpkg-dev file
PACKAGE_CHECK_PACKAGES := $(PACKAGE_PACKAGES) desktop-file-utils appstream lintian

# Every sanitizer report, leaks included, aborts the program that made it, so that its test
# or fuzz run fails.
SANITIZER_ENV := \
    ASAN_OPTIONS=abort_on_error=1:halt_on_error=1:detect_leaks=1:check_initialization_order=1 \
    UBSAN_OPTIONS=abort_on_error=1:halt_on_error=1:print_stacktrace=1

.PHONY: all setup configure build run test check test-sanitize fuzz \
    check-windows-build check-windows windows-zip check-format bench clean

all: build

# apt-get only when some package is missing, so that a second run is fast.
setup:
	@missing=$$(for p in $(DEBIAN_PACKAGES); do \
	    dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	    echo "Installing:" $$missing; \
	    SUDO=$$( [ "$$(id -u)" -eq 0 ] || echo sudo ); \
	    $$SUDO apt-get update -qq && \
	    DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -qq --no-install-recommends $$missing; \
	fi
	@# The normal tree's suite runs in the users' locale, which a bare Debian does not have.
	@locale -a | grep -qi '^ru_RU\.utf-\?8$$' || { \
	    SUDO=$$( [ "$$(id -u)" -eq 0 ] || echo sudo ); \
	    $$SUDO localedef -i ru_RU -f UTF-8 ru_RU.UTF-8; }

configure: setup
	@[ -f $(BUILD_DIR)/CMakeCache.txt ] || cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD_DIR) -j$(JOBS)

run: build
	$(BUILD_DIR)/bin/ocai-plot

# The normal tree's suite; `make test LABEL=cli` runs one area (unit, window, cli, install,
# fuzz).
test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS) \
	    $(if $(LABEL),-L $(LABEL))

# What CI runs: the suite, then the sanitizer tree, the fuzz smoke, the Windows build and its
# suite under Wine, formatting and the Debian package.
check: DEBIAN_PACKAGES += $(BROWSER_PACKAGES) $(CALC_PACKAGES)
check: test
	$(MAKE) --no-print-directory test-sanitize
	$(MAKE) --no-print-directory fuzz
	$(MAKE) --no-print-directory check-windows
	$(MAKE) --no-print-directory check-format
	$(MAKE) --no-print-directory package-check

# The Windows build: cross-compiled with MinGW-w64 into $(WINDOWS_DIR) (the MinGW Qt of
# shared/windows unpacked at /opt/ocai-mingw), its suite run under Wine, and the zip that users
# unpack. .ci/windows installs what it needs.
check-windows-build:
	BUILD_WIN_DIR=$(WINDOWS_DIR) JOBS=$(JOBS) bash .ci/windows build

# The zip's test compares its ocai-cli with the Linux build's.
check-windows: build check-windows-build
	BUILD_WIN_DIR=$(WINDOWS_DIR) JOBS=$(JOBS) LINUX_CLI=$(CURDIR)/$(BUILD_DIR)/bin/ocai-cli \
	    bash .ci/windows test

windows-zip: check-windows-build
	BUILD_WIN_DIR=$(WINDOWS_DIR) bash .ci/windows zip

# Every tracked C++ source formatted as .clang-format says.
check-format: DEBIAN_PACKAGES += $(FORMAT_PACKAGES)
check-format: setup
	git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror

# The whole suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer. The
# build runs the test programs too (test discovery), so it gets the same settings.
test-sanitize: DEBIAN_PACKAGES += $(SANITIZE_PACKAGES)
test-sanitize: setup
	@[ -f $(ASAN_DIR)/CMakeCache.txt ] || cmake -S . -B $(ASAN_DIR) \
	    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOCAI_SANITIZE=ON -DOCAI_BUILD_BENCH=OFF \
	    -DOCAI_TEST_LOCALE=C.UTF-8
	$(SANITIZER_ENV) cmake --build $(ASAN_DIR) -j$(JOBS)
	cd $(ASAN_DIR) && $(SANITIZER_ENV) QT_QPA_PLATFORM=offscreen \
	    ctest --output-on-failure -j$(JOBS)

# Each libFuzzer target of tests/fuzz for FUZZ_SECONDS; a failing input is kept in
# $(FUZZ_DIR)/fuzz-failures.
fuzz: DEBIAN_PACKAGES += $(SANITIZE_PACKAGES)
fuzz: setup
	@[ -f $(FUZZ_DIR)/CMakeCache.txt ] || cmake -S . -B $(FUZZ_DIR) \
	    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DOCAI_SANITIZE=ON \
	    -DOCAI_BUILD_FUZZ=ON -DBUILD_TESTING=OFF -DOCAI_BUILD_BENCH=OFF
	cmake --build $(FUZZ_DIR) -j$(JOBS) --target fuzz-targets
	$(SANITIZER_ENV) bash .ci/fuzz $(FUZZ_DIR) $(FUZZ_SECONDS)

bench: build
	for b in $(BUILD_DIR)/bin/bench_*; do $$b --benchmark_repetitions=5 --benchmark_report_aggregates_only=true; done

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) $(FUZZ_DIR) $(WINDOWS_DIR)

# Debian package $(BUILD_DIR)/ocai-plot_<version>_amd64.deb; dpkg-shlibdeps computes its
# dependencies. package-check validates it as CI does.
.PHONY: package package-check
package: DEBIAN_PACKAGES += $(PACKAGE_PACKAGES)
package: build
	cd $(BUILD_DIR) && cpack -G DEB

package-check: DEBIAN_PACKAGES += $(PACKAGE_CHECK_PACKAGES)
package-check: package
	BUILD_DIR=$(BUILD_DIR) bash .ci/check-package
