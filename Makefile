# Set-up, build, run and test on Debian. `make run` and `make test` install what is missing.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
DEBIAN_PACKAGES := cmake g++ make qt6-base-dev libgif-dev libgtest-dev libgmock-dev \
    libbenchmark-dev libboost-math-dev fonts-liberation fontconfig g++-mingw-w64-x86-64 \
    qt6-translations-l10n

.PHONY: all setup configure build run test bench clean

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

configure: setup
	@[ -f $(BUILD_DIR)/CMakeCache.txt ] || cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD_DIR) -j$(JOBS)

run: build
	$(BUILD_DIR)/bin/ocai-plot

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)
	bash .ci/check-windows-shell

bench: build
	for b in $(BUILD_DIR)/bin/bench_*; do $$b --benchmark_repetitions=5 --benchmark_report_aggregates_only=true; done

clean:
	rm -rf $(BUILD_DIR)

# Debian package $(BUILD_DIR)/ocai-plot_<version>_amd64.deb; dpkg-shlibdeps computes its
# dependencies. package-check validates it as CI does.
.PHONY: package package-check
package: DEBIAN_PACKAGES += dpkg-dev file
package: build
	cd $(BUILD_DIR) && cpack -G DEB

package-check: DEBIAN_PACKAGES += desktop-file-utils appstream lintian
package-check: package
	BUILD_DIR=$(BUILD_DIR) bash .ci/check-package
