# Front door of the project.  Every target first installs the Debian
# packages it needs (nothing when they are there).
#
#   make demo                            build and run the launcher under Wine
#   make test                            all tests: native, then under Wine
#   make launcher PAYLOAD=dir OUT=x.exe  build a launcher around a payload

BUILD ?= build
WIN := $(BUILD)/win
HOST := $(BUILD)/host
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps host win test demo launcher clean

all: win

deps:
	@tools/install-deps.sh

host: deps
	@cmake -S . -B $(HOST) -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(HOST) -j$(JOBS) -- --no-print-directory

# The Windows build lists the native tests too, so one CTest run covers all.
win: deps host
	@cmake -S . -B $(WIN) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-i686.cmake \
	    -DOV_HOST_BUILD="$(CURDIR)/$(HOST)" >/dev/null
	@cmake --build $(WIN) -j$(JOBS) -- --no-print-directory

test: win
	@tools/wine-session.sh $(WIN) ctest --test-dir $(WIN) --output-on-failure --timeout 600

demo: win
	@tools/wine-session.sh $(WIN) tools/demo.sh $(WIN)

launcher: win
	@test -n "$(OUT)" || { echo "usage: make launcher PAYLOAD=<dir> OUT=<file.exe>"; exit 2; }
	@cp $(WIN)/launcher/ZAZezor.exe "$(OUT)"
	@echo "built $(OUT)"

clean:
	rm -rf $(BUILD)
