# Vellora: two commands for a newcomer.
#   make run   installs what is missing, builds the program, opens it on sample/volume
#   make test  installs what is missing, builds everything, runs every test headless
# and one for a release:
#   make package  builds everything and the Debian package build/vellora_*.deb

BUILD      ?= build
BUILD_TYPE ?= RelWithDebInfo
GENERATOR  ?= Ninja
WERROR     ?= OFF

# Debian packages the program needs (all `make run` installs), and what the
# tests and benchmarks need besides.
PROGRAM_DEPS := cmake g++ ninja-build pkg-config qt6-base-dev libqcustomplot-dev qt6-svg-dev fonts-dejavu-core shared-mime-info xdg-utils
DEPS := $(PROGRAM_DEPS) clang libgtest-dev libgmock-dev libbenchmark-dev desktop-file-utils appstream
# The package test checks the Debian package with lintian (which brings
# dpkg-dev and file, what CPack needs to make it).
DEPS += lintian
# The plotting library comparison in bench/ builds against Qt Charts too.
DEPS += qt6-charts-dev libqt6opengl6-dev
# Running the program headless and taking screenshots of it.
RUN_DEPS := xvfb xdotool imagemagick
# CPack's Debian generator computes the package's dependencies with
# dpkg-shlibdeps and looks at each file with `file`.
PACKAGE_DEPS := dpkg-dev file

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

CONFIGURE = cmake -S . -B $(BUILD) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DVELLORA_WERROR=$(WERROR)

.PHONY: all deps program-deps run-deps package-deps configure build test run package clean

all: build

# Installs only what is missing; `apt-get update` runs first so a fresh
# machine finds the packages.
define install_missing
	@missing=""; \
	for p in $(1); do \
	  dpkg-query -W -f='$${Status}\n' "$$p" 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y --no-install-recommends $$missing; \
	fi
endef

deps:
	$(call install_missing,$(DEPS))

program-deps:
	$(call install_missing,$(PROGRAM_DEPS))

run-deps:
	$(call install_missing,$(RUN_DEPS))

package-deps:
	$(call install_missing,$(PACKAGE_DEPS))

configure: deps
	$(CONFIGURE)

build: configure
	cmake --build $(BUILD) -j $$(nproc)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --no-tests=error -j $$(nproc)

# Only the programs (the browser with its help page and helper file, and
# the product viewer its helpers start), no tests or benchmarks.
run: program-deps
	$(CONFIGURE)
	cmake --build $(BUILD) -j $$(nproc) --target vellora vellora-view
	"$(BUILD)/vellora" sample/volume

package: build package-deps
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD)
