# Vellora: two commands for a newcomer.
#   make run   installs what is missing, builds the program, opens it on sample/volume
#   make test  installs what is missing, builds everything, runs every test headless
# and one for a release:
#   make package  builds everything and the Debian package build/vellora_*.deb

BUILD      ?= build
BUILD_TYPE ?= RelWithDebInfo
GENERATOR  ?= Ninja

# Debian packages the build, the tests and `make run` need.
DEPS := cmake g++ clang ninja-build pkg-config qt6-base-dev libgtest-dev libgmock-dev \
        libbenchmark-dev fonts-dejavu-core shared-mime-info desktop-file-utils xdg-utils appstream
RUN_DEPS := xvfb xdotool imagemagick
# CPack's Debian generator computes the package's dependencies with
# dpkg-shlibdeps and looks at each file with `file`.
PACKAGE_DEPS := dpkg-dev file

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps run-deps package-deps configure build test run package clean

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

run-deps:
	$(call install_missing,$(RUN_DEPS))

package-deps:
	$(call install_missing,$(PACKAGE_DEPS))

configure: deps
	cmake -S . -B $(BUILD) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

build: configure
	cmake --build $(BUILD) -j $$(nproc)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $$(nproc)

# Only the program (with its help page and helper file), no tests or
# benchmarks.
run: configure
	cmake --build $(BUILD) -j $$(nproc) --target vellora
	"$(BUILD)/vellora" sample/volume

package: build package-deps
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD)
