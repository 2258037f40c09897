# Front door: `make test` and `make demo` set up a fresh Debian machine and do the rest; `make help`
# lists every target. Each target installs only what it needs (tools/setup.sh).
SHELL := /bin/bash
.SHELLFLAGS := -o pipefail -c
MESSAGE ?= <3333333333333333333
JOBS ?= $(shell nproc)
# The message, quoted for the shell.
QUOTED_MESSAGE = '$(subst ','\'',$(value MESSAGE))'
# CMake's own make runs as a fresh top-level make: no directory chatter.
CMAKE = env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL cmake
SETUP = tools/setup.sh
# TAVI_EMULATE=1: the Windows tests with Wine's 32-bit side under qemu-user, as on a machine that
# runs no 32-bit code (tools/wine/emulate.sh).
EMULATE = $(if $(filter 1,$(TAVI_EMULATE)),tools/wine/emulate.sh,)
EMULATE_SETUP = $(if $(filter 1,$(TAVI_EMULATE)),emulate,)

.PHONY: all help native win32 win32-clang sanitize test test-native test-sanitize test-win32 format lint demo \
        preview bench fuzz dist clean

all: native win32
	@echo "make: built build/native (the core's tests, tavi_preview) and build/win32 (tavi.exe, roomsim, tests)"

help:
	@echo "make test          set up, build everything, run every suite, print one summary"
	@echo "make demo MESSAGE='...'  tavi and roomsim under Wine: the seven posts printed, build/demo.png"
	@echo "make preview MESSAGE='...'  the seven posts' raw chat markup in the console (native, no Wine)"
	@echo "make               build the native tree and the Windows tree (what make all builds)"
	@echo "make native        the portable core, its unit tests and tavi_preview (build/native)"
	@echo "make win32         tavi.exe with GCC, roomsim, the Windows tests and benchmarks (build/win32)"
	@echo "make win32-clang   tavi.exe with Clang and lld (build/win32-clang)"
	@echo "make sanitize      the unit tests under ASan and UBSan, the fuzz targets (build/sanitize)"
	@echo "make test-native   the native unit tests only"
	@echo "make test-sanitize the sanitized unit tests and a short fuzzing run only"
	@echo "make test-win32    the Windows tests under Wine only (both exes)"
	@echo "TAVI_EMULATE=1 make test (or test-win32)  the same with Wine's 32-bit side under qemu-user"
	@echo "make format        rewrite the C++ sources as .clang-format has them"
	@echo "make lint          clang-tidy over the product code of both builds"
	@echo "make bench         every performance figure beside its goal (docs/performance.md)"
	@echo "make fuzz          the fuzz targets for FUZZ_SECONDS each (default 180)"
	@echo "make dist          the download: build/dist/tavi-<version>-win32.zip"
	@echo "make clean         remove build/"

native:
	@$(SETUP) native
	@$(CMAKE) --preset native >/dev/null
	@$(CMAKE) --build --preset native -j $(JOBS) | sed -E '/^\[|^-- /d'
	@test -x build/native/tavi_preview

win32:
	@$(SETUP) cross
	@$(CMAKE) --preset win32 >/dev/null
	@$(CMAKE) --build --preset win32 -j $(JOBS) | sed -E '/^\[|^-- /d'

# The same tavi.exe built by LLVM (Clang and lld); the win32 build's tests check it too.
win32-clang:
	@$(SETUP) clang
	@$(CMAKE) --preset win32-clang >/dev/null
	@$(CMAKE) --build --preset win32-clang -j $(JOBS) | sed -E '/^\[|^-- /d'

# The unit tests again under ASan + UBSan (clang), and a short fuzzing smoke run.
sanitize:
	@$(SETUP) sanitize
	@$(CMAKE) --preset sanitize >/dev/null
	@$(CMAKE) --build --preset sanitize -j $(JOBS) | sed -E '/^\[|^-- /d'

# Everything is built first; then every suite runs (also after one fails) and one summary follows.
test: native sanitize win32 win32-clang
	@$(SETUP) format lint wine dist $(EMULATE_SETUP)
	@$(EMULATE) tools/check/test.sh

test-native: native
	@tools/check/test.sh native
test-sanitize: sanitize
	@tools/check/test.sh sanitize
test-win32: win32 win32-clang
	@$(SETUP) wine $(EMULATE_SETUP)
	@$(EMULATE) tools/check/test.sh windows

# The C++ sources rewritten as .clang-format has them; make test checks that none differs.
format:
	@$(SETUP) format
	@tools/check/format.sh

# clang-tidy over the product code of both builds, as .clang-tidy says.
lint: native win32-clang
	@$(SETUP) lint
	@tools/check/lint.sh

# Fuzzing for FUZZ_SECONDS per target (default 180): executions and findings.
fuzz: sanitize
	@tools/fuzz.sh

# The real program under Wine against roomsim: prints the posts, saves build/demo.png.
demo: win32
	@$(SETUP) wine
	@tools/demo.sh $(QUOTED_MESSAGE)

# The download: build/dist/tavi-<version>-win32.zip, reproducible bit for bit, with the GCC build's tavi.exe.
dist:
	@$(SETUP) cross dist
	@$(CMAKE) --preset win32 >/dev/null
	@$(CMAKE) --build --preset win32 --target tavi | sed -E '/^\[|^-- /d'
	@tools/dist/make-dist.sh

preview: native
	@build/native/tavi_preview $(QUOTED_MESSAGE)

# Every performance figure with its goal; the table is kept in docs/performance.md.
bench: native win32
	@$(SETUP) wine
	@bench/run.sh

clean:
	rm -rf build
