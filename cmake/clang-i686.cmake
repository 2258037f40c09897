# Toolchain for 32-bit Windows with LLVM: Clang and lld on the mingw-w64 headers and import
# libraries (the same ones GCC uses), and the C++ library headers of the mingw-w64 GCC.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TAVI_TRIPLE i686-w64-mingw32)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${TAVI_TRIPLE})
set(CMAKE_CXX_COMPILER_TARGET ${TAVI_TRIPLE})
set(CMAKE_RC_COMPILER ${TAVI_TRIPLE}-windres)
set(CMAKE_SYSROOT /usr/${TAVI_TRIPLE})
# Debian names the GCC folder after its thread model (12-win32), where Clang looks for a version
# number; the win32 model's is the one the GCC build uses.
file(GLOB TAVI_GCC_DIRS /usr/lib/gcc/${TAVI_TRIPLE}/*-win32)
list(GET TAVI_GCC_DIRS 0 TAVI_GCC_DIR)
set(CMAKE_CXX_STANDARD_INCLUDE_DIRECTORIES ${TAVI_GCC_DIR}/include/c++ ${TAVI_GCC_DIR}/include/c++/${TAVI_TRIPLE})
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -L${TAVI_GCC_DIR}")
set(CMAKE_FIND_ROOT_PATH /usr/${TAVI_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
