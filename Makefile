# Vellora: two commands for a newcomer.
#   make run   installs what is missing, builds, opens the browser on sample/volume
#   make test  installs what is missing, builds, runs every test headless

BUILD      ?= build
BUILD_TYPE ?= RelWithDebInfo
GENERATOR  ?= Ninja
WERROR     ?= OFF

# Debian packages the build, the tests and `make run` need.
DEPS := cmake g++ clang ninja-build pkg-config qt6-base-dev libgtest-dev libgmock-dev \
        libbenchmark-dev fonts-dejavu-core shared-mime-info desktop-file-utils xdg-utils
RUN_DEPS := xvfb xdotool imagemagick

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps run-deps configure build test run clean

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

configure: deps
	cmake -S . -B $(BUILD) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DVELLORA_WERROR=$(WERROR)

build: configure
	cmake --build $(BUILD) -j $$(nproc)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $$(nproc)

run: build
	cd sample/volume && "$(CURDIR)/$(BUILD)/vellora"

clean:
	rm -rf $(BUILD)
