# Front door: `make test` and `make demo` set up a fresh Debian machine and do the rest.
SHELL := /bin/bash
.SHELLFLAGS := -o pipefail -c
MESSAGE ?= <3333333333333333333
JOBS ?= $(shell nproc)
# The message, quoted for the shell.
QUOTED_MESSAGE = '$(subst ','\'',$(value MESSAGE))'
# CMake's own make runs as a fresh top-level make: no directory chatter.
CMAKE = env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL cmake

.PHONY: all setup native win32 win32-clang sanitize test test-native test-sanitize test-win32 format lint demo \
        preview bench fuzz dist clean

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

# The same tavi.exe built by LLVM (Clang and lld); the win32 build's tests check it too.
win32-clang: setup
	@$(CMAKE) --preset win32-clang >/dev/null
	@$(CMAKE) --build --preset win32-clang -j $(JOBS) | sed -E '/^\[|^-- /d'

# The unit tests again under ASan + UBSan (clang), and a short fuzzing smoke run.
sanitize: setup
	@$(CMAKE) --preset sanitize >/dev/null
	@$(CMAKE) --build --preset sanitize -j $(JOBS) | sed -E '/^\[|^-- /d'

# Everything is built first; then every suite runs (also after one fails) and one summary follows.
test: native sanitize win32 win32-clang
	@tools/check/test.sh

test-native: native
	@tools/check/test.sh native
test-sanitize: sanitize
	@tools/check/test.sh sanitize
test-win32: win32 win32-clang
	@tools/check/test.sh windows

# The C++ sources rewritten as .clang-format has them; make test checks that none differs.
format: setup
	@tools/check/format.sh

# clang-tidy over the product code of both builds, as .clang-tidy says.
lint: native win32-clang
	@tools/check/lint.sh

# Fuzzing for FUZZ_SECONDS per target (default 180): executions and findings.
fuzz: sanitize
	@tools/fuzz.sh

# The real program under Wine against roomsim: prints the posts, saves build/demo.png.
demo: win32
	@tools/demo.sh $(QUOTED_MESSAGE)

# The download: build/dist/tavi-<version>-win32.zip, reproducible bit for bit, with the GCC build's tavi.exe.
dist: setup
	@$(CMAKE) --preset win32 >/dev/null
	@$(CMAKE) --build --preset win32 --target tavi | sed -E '/^\[|^-- /d'
	@tools/dist/make-dist.sh

preview: native
	@build/native/tavi_preview $(QUOTED_MESSAGE)

# Every performance figure with its goal; the table is kept in docs/performance.md.
bench: native win32
	@bench/run.sh

clean:
	rm -rf build
