# Vellora: two commands for a newcomer.
#   make run   installs what is missing, builds the program, opens it on sample/volume
#   make test  installs what is missing, builds everything, runs every test headless
# one for a release:
#   make package  builds everything and the Debian package build/vellora_*.deb
# and one for memory and undefined-behaviour faults:
#   make check-sanitize  builds the program and its tests with ASan+UBSan into
#                        build-sanitize/ and runs every test there; any report fails

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

.PHONY: all deps program-deps run-deps package-deps configure build test run package clean check-sanitize

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

# The sanitizer build: its own folder, optimised a little (-O1) so the whole
# suite runs in a few minutes, no benchmarks. A sanitizer report ends the
# test that made it with a failure; leaks of the system's libraries that
# the program cannot free are listed in tests/sanitize/lsan.supp.
SANITIZE_BUILD ?= build-sanitize
SANITIZE_FLAGS := -O1 -g -fno-omit-frame-pointer -fsanitize=address,undefined -fno-sanitize-recover=all
SANITIZE_ENV := ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitize/lsan.supp:print_suppressions=0 \
	QT_QPA_PLATFORM=offscreen

# The package test is left out here: it checks what ships, the hardened
# release build of `make test`, not this debug build without fortified
# functions.
check-sanitize: deps
	cmake -S . -B $(SANITIZE_BUILD) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DVELLORA_WERROR=$(WERROR) \
	    -DVELLORA_BENCHMARKS=OFF "-DCMAKE_C_FLAGS=$(SANITIZE_FLAGS)" "-DCMAKE_CXX_FLAGS=$(SANITIZE_FLAGS)" \
	    "-DCMAKE_EXE_LINKER_FLAGS=-fsanitize=address,undefined"
	cmake --build $(SANITIZE_BUILD) -j $$(nproc)
	cd $(SANITIZE_BUILD) && $(SANITIZE_ENV) ctest --output-on-failure --no-tests=error -j $$(nproc) -E '^Package\.'

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD)
