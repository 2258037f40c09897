# Front door: `make test` and `make demo` set up a fresh Debian machine and do the rest.
SHELL := /bin/bash
.SHELLFLAGS := -o pipefail -c
MESSAGE ?= <3333333333333333333
JOBS ?= $(shell nproc)
# The message, quoted for the shell.
QUOTED_MESSAGE = '$(subst ','\'',$(MESSAGE))'
# CMake's own make runs as a fresh top-level make: no directory chatter.
CMAKE = env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL cmake
CTEST = env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL ctest

.PHONY: all setup native win32 sanitize test test-native test-sanitize test-win32 demo preview bench fuzz dist format clean

all: native win32

setup:
	@tools/setup.sh

native: setup
	@$(CMAKE) --preset native >/dev/null
	@$(CMAKE) --build --preset native -j $(JOBS) | sed -E '/^\[|^-- /d'
	@test -x build/native/tavi_preview

win32: setup
	@$(CMAKE) --preset win32 >/dev/null
	@$(CMAKE) --build --preset win32 -j $(JOBS) | sed -E '/^\[|^-- /d'

test: test-native test-sanitize test-win32

test-native: native
	@$(CTEST) --preset native --output-on-failure -j $(JOBS) | tail -n 3

# The unit tests again under ASan + UBSan (clang), and a short fuzzing smoke run.
sanitize: setup
	@$(CMAKE) --preset sanitize >/dev/null
	@$(CMAKE) --build --preset sanitize -j $(JOBS) | sed -E '/^\[|^-- /d'

test-sanitize: sanitize
	@$(CTEST) --preset sanitize --output-on-failure -j $(JOBS) | tail -n 3

# Fuzzing for FUZZ_SECONDS per target (default 180): executions and findings.
fuzz: sanitize
	@tools/fuzz.sh

# The Windows programs under Wine, on a private Xvfb display.
test-win32: win32
	@tools/wine/session.sh $(CTEST) --preset win32 --output-on-failure

# The real program under Wine against roomsim: prints the posts, saves build/demo.png.
demo: win32
	@tools/demo.sh $(QUOTED_MESSAGE)

# The download: build/dist/tavi-<version>-win32.zip, reproducible bit for bit.
dist: setup
	@$(CMAKE) --preset win32 >/dev/null
	@$(CMAKE) --build --preset win32 --target tavi | sed -E '/^\[|^-- /d'
	@tools/dist/make-dist.sh

preview: native
	@build/native/tavi_preview $(QUOTED_MESSAGE)

# Every performance figure with its goal; the table is kept in docs/performance.md.
bench: native win32
	@bench/run.sh

# Rewrites the C++ sources as .clang-format has them.
format: setup
	@tools/check/format.sh

clean:
	rm -rf build
