# Front door of the project.  Every target first installs the Debian
# packages it needs (nothing when they are there).  The targets that run
# Windows programs (demo, screenshot, bench) first make sure this machine
# can (tools/wine-ready.sh): where it runs no 32-bit programs they stop at
# once and say so.  make test instead runs the Windows tests against the
# 64-bit build there, or lists them as skipped with the reason.
#
#   make demo [ARCH=x86_64]              build and run the launcher under Wine
#   make check                           all that runs no Windows program, on any machine: the
#                                        native tests and the static checks of the launchers
#   make test [ARCH=i686|x86_64]         all tests: those of make check, then under Wine
#   make launcher PAYLOAD=dir OUT=x.exe  build a launcher around a payload
#        [ARCH=x86_64]                   (for 64-bit Windows)
#        [SIGN=key.pem,cert.pem | SIGN=x.p12] [SIGN_TIMESTAMP=url] [VERSION=a.b.c.d]
#        [EXECUTION_LEVEL=asInvoker|highestAvailable|requireAdministrator]
#        [WAIT_FOR_NEXT_STAGE=yes]
#   make dist [DIST=dir]                 dist/orvane-launcher-<version>.tar.gz
#   make screenshot                      docs/splash.png, the splash under Wine
#   make fuzz [FUZZ_RUNS=n]              fuzz the archive reader (about a minute)
#   make bench [BENCH_RUNS=n]            launcher against NSIS, one table (a few minutes)

BUILD ?= build
# The Windows tree's width: i686, the shipped 32-bit launcher; x86_64, the
# same sources for 64-bit Windows, which 64-bit Wine runs on machines that
# run no 32-bit programs (make test picks it there by itself).
ARCH ?=
WIDTH := $(or $(ARCH),i686)
ifneq ($(filter-out i686 x86_64,$(WIDTH)),)
$(error ARCH "$(ARCH)": give i686 or x86_64)
endif
ifneq ($(and $(filter x86_64,$(WIDTH)),$(filter bench,$(MAKECMDGOALS))),)
$(error make bench measures the shipped 32-bit launcher: leave ARCH out)
endif
WIN := $(BUILD)/win$(if $(filter x86_64,$(WIDTH)),64)
HOST := $(BUILD)/host
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
DIST ?= dist

.PHONY: all deps wine-ready host win check test demo launcher dist fuzz clean

# The version details' defaults, each overridable on the command line; the
# release builds (tools/release.sh) read them, the execution level and the
# signing options from the environment.
include resources/version.txt
export PRODUCT_NAME FILE_DESCRIPTION VERSION PRODUCT_VERSION COPYRIGHT EXECUTION_LEVEL WAIT_FOR_NEXT_STAGE SIGN SIGN_CA SIGN_TIMESTAMP

all: win

deps:
	@tools/install-deps.sh

# Before anything is built: installs Wine where it can run, and stops with
# the reason where it cannot.
wine-ready:
	@tools/wine-ready.sh $(WIN) $(WIDTH)

host: deps
	@cmake -S . -B $(HOST) -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(HOST) -j$(JOBS) -- --no-print-directory

# The Windows build lists the native tests too, so one CTest run covers all.
win: deps host
	@$(if $(filter x86_64,$(WIDTH)),tools/install-deps.sh --x86_64)
	@cmake -S . -B $(WIN) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-$(WIDTH).cmake \
	    -DOV_HOST_BUILD="$(abspath $(HOST))" >/dev/null
	@cmake --build $(WIN) -j$(JOBS) -- --no-print-directory

# The static checks keep the bare launcher's code size for the last line.
# Both check the shipped 32-bit tree, whatever ARCH says.
check:
	@$(MAKE) --no-print-directory win ARCH=i686
	@ctest --test-dir $(BUILD)/win --output-on-failure -L 'native|static'
	@cat $(BUILD)/win/bare-launcher-size.txt

test: deps
	@MAKE="$(MAKE)" tools/test.sh $(BUILD) $(ARCH)

demo: wine-ready win
	@tools/wine-session.sh $(WIN) tools/demo.sh $(WIN)

# In trees of their own under $(BUILD)/release: nothing here touches the
# trees of make, make test and make demo.
launcher: deps
	@$(if $(filter x86_64,$(WIDTH)),tools/install-deps.sh --x86_64)
	@tools/release.sh launcher $(BUILD) "$(PAYLOAD)" "$(OUT)" $(WIDTH)

dist: deps
	@tools/release.sh dist $(BUILD) $(DIST)

# libFuzzer comes with clang's runtime package; the seeds are packed by the
# host build's ovpack.
fuzz: host
	@tools/install-deps.sh clang libclang-rt-14-dev
	@tests/fuzz/run-fuzz.sh $(BUILD)/fuzz $(HOST)/tools/ovpack/ovpack $(FUZZ_RUNS)

# docs/splash.png: the splash as the virtual display (1024x768) shows it,
# cropped to its window; splash_show keeps it up until the stop file exists.
.PHONY: screenshot
screenshot: wine-ready win
	@tools/install-deps.sh imagemagick x11-apps
	@mkdir -p docs; rm -f $(WIN)/splash-geometry $(WIN)/splash-stop
	@tools/wine-session.sh $(WIN) sh -c 'wine $(WIN)/tests/splash_show.exe $(abspath $(WIN))/splash-stop \
	    >$(WIN)/splash-geometry & shown=$$!; \
	    while [ ! -s $(WIN)/splash-geometry ] && kill -0 $$shown 2>/dev/null; do sleep 0.1; done; \
	    [ -s $(WIN)/splash-geometry ] && xwd -root -silent | \
	        convert xwd:- -crop "$$(cat $(WIN)/splash-geometry)" +repage -strip \
	            -define png:exclude-chunk=date,time docs/splash.png; \
	    status=$$?; touch $(WIN)/splash-stop; wait $$shown; exit $$status'
	@echo "wrote docs/splash.png"

# The launcher against an NSIS installer on generated payloads, the floors,
# the sizes and the packer's speed; one table (README, "Benchmarks").
.PHONY: bench
bench: wine-ready win
	@tools/install-deps.sh nsis
	@MAKE="$(MAKE)" BENCH_RUNS="$(BENCH_RUNS)" sh bench/bench.sh $(BUILD)

clean:
	rm -rf $(BUILD)
