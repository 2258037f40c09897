# Windows part of the build: the platform layer, the program and its tests (the options that hold
# for all of them are in Win32Options.cmake).

# tavi.exe runs on every x86 from the 486 on: its code is our own only, compiled for the i486 (GCC's
# assembler too, so that nothing newer slips in; Clang's assembles only what it emits), without
# exceptions or RTTI, and linked with its own entry point and runtime (app/start.cpp,
# app/runtime.cpp) instead of the toolchain's C and C++ runtime libraries, which are Pentium Pro
# code. The tests and benchmarks keep the normal runtime. Both compilers take the same options.
#
# It is optimized as one whole at the link (link-time optimization): templates and helpers that its
# parts share are kept once, and what is used once is inlined; that takes a twentieth off tavi.exe.
# The link compiles for the same CPU with the same options, for the least size (-Oz: GCC's and
# Clang's own, which Clang meets with calls of memcmp, in the runtime too). (roomsim and the benchmarks take the
# core and the platform layer as ordinary code: tavi_tools_core, tavi_tools_platform.)
#
# GCC passes arguments by pushing them, as Clang does, instead of keeping room for them in every frame
# (a tenth of tavi.exe), which its stack probes for frames of a page or more would need: no frame
# may reach a page (an error), so none needs a probe. The stack is kept at the 4-byte alignment
# Windows gives (no code of the i486 needs more). Clang keeps its probes.
set(TAVI_GCC_FLAGS -Wa,-march=i486+387 -flto-partition=one -mno-accumulate-outgoing-args -mno-stack-arg-probe
    -Werror=frame-larger-than=4000 -mpreferred-stack-boundary=2)
set(TAVI_I486_FLAGS -march=i486 -Oz -fno-exceptions -fno-rtti -fno-threadsafe-statics -fno-asynchronous-unwind-tables
    $<$<CXX_COMPILER_ID:GNU>:${TAVI_GCC_FLAGS}> -flto)
set(TAVI_I486_OPTIONS $<$<COMPILE_LANGUAGE:CXX>:${TAVI_I486_FLAGS}>)
target_compile_options(tavi_core PRIVATE ${TAVI_I486_OPTIONS})

set(TAVI_WIN32_PLATFORM_SOURCES platform/win32/win32_platform.cpp platform/win32/window_api.cpp
    platform/win32/dpi_api.cpp platform/win32/process_level.cpp)
add_library(tavi_win32_platform STATIC ${TAVI_WIN32_PLATFORM_SOURCES})
target_compile_options(tavi_win32_platform PRIVATE ${TAVI_I486_OPTIONS})
target_link_libraries(tavi_win32_platform PUBLIC tavi_core PRIVATE tavi_warnings)

# Subsystem and OS version 4.0, so no Windows is asked for that is newer than
# 95 and NT 4 (the imports decide the rest); 4 GB of address space on 64-bit Windows. Loaded at its
# own base, as every Windows from 95 to XP loads a program: no relocation table (a thirtieth of
# tavi.exe), so Vista and later load it there too, without address-space randomization.
set(TAVI_PE_HEADER -Wl,--subsystem,windows:4.0 -Wl,--major-os-version,4 -Wl,--minor-os-version,0
    -Wl,--large-address-aware
    $<IF:$<CXX_COMPILER_ID:GNU>,-Wl$<COMMA>--disable-reloc-section$<COMMA>--disable-dynamicbase,-Wl$<COMMA>-Xlink=-fixed>)
# The runtime's own strlen, floor, memcpy, memmove and memset must stay code, not calls of themselves,
# and stay whole: the code the link makes calls some of them.
set_source_files_properties(app/runtime.cpp PROPERTIES COMPILE_OPTIONS "-fno-builtin;-fno-lto")
set_source_files_properties(app/tavi.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/app/tavi.ico;${CMAKE_CURRENT_SOURCE_DIR}/app/tavi.manifest")

# A program built as tavi.exe is: Form1 over the platform, with `main` its TaviMain.
function(tavi_program name main)
  add_executable(${name} WIN32 ${main} app/start.cpp app/form1.cpp app/form1_layout.cpp app/form1_colours.cpp
                 app/colours.cpp app/preview.cpp app/preview_paint.cpp app/preview_marks.cpp app/runtime.cpp
                 app/tavi.rc)
  target_compile_options(${name} PRIVATE ${TAVI_I486_OPTIONS})
  target_link_options(${name} PRIVATE ${TAVI_I486_FLAGS} -nostdlib -nostartfiles -Wl,-e,_TaviStart ${TAVI_PE_HEADER})
  target_link_libraries(${name} PRIVATE tavi_win32_platform tavi_warnings kernel32 user32 gdi32 comctl32)
endfunction()

# The program: small, self-contained, only Windows' own DLLs.
tavi_program(tavi app/main.cpp)
# Stripped; the link map names the functions for the instruction audit and
# lets the size benchmark see what went in.
target_link_options(tavi PRIVATE -s -Wl,-Map,${CMAKE_BINARY_DIR}/tavi.map)
# The Clang build (win32-clang) makes tavi.exe alone; the GCC build's tests check it.
option(TAVI_PROGRAM_ONLY "Build tavi.exe alone, without tools, tests and benchmarks" OFF)
if(TAVI_PROGRAM_ONLY)
  return()
endif()

# The core and the platform layer as ordinary code, for the tools.
get_target_property(TAVI_CORE_SOURCES tavi_core SOURCES)
add_library(tavi_tools_core STATIC ${TAVI_CORE_SOURCES})
target_include_directories(tavi_tools_core PUBLIC ${CMAKE_SOURCE_DIR})
add_library(tavi_tools_platform STATIC ${TAVI_WIN32_PLATFORM_SOURCES})
target_link_libraries(tavi_tools_platform PUBLIC tavi_tools_core)

add_executable(roomsim WIN32
  tools/roomsim/main.cpp
  tools/roomsim/host.cpp
  tools/roomsim/controls.cpp
  tools/roomsim/history.cpp
  tools/roomsim/transcript.cpp
  tools/roomsim/options.cpp
)
target_include_directories(roomsim PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(roomsim PRIVATE tavi_tools_core tavi_warnings)

# The Win32 driver: runs roomsim and tavi and works tavi's window from outside,
# for the end-to-end tests, the demo and the benchmarks.
add_library(tavi_driver STATIC tools/driver/support.cpp tools/driver/desktop.cpp tools/driver/tavi_app.cpp)
target_include_directories(tavi_driver PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(tavi_driver PUBLIC gdi32 oleacc ole32 oleaut32 uuid PRIVATE tavi_warnings)
# Loaded into a running tavi by the tests: what tavi's process sees of the system, changed.
add_library(driver_hooks SHARED tools/driver/hooks.cpp)
set_target_properties(driver_hooks PROPERTIES PREFIX "")
target_link_options(driver_hooks PRIVATE -Wl,--kill-at)  # exports by their plain names
target_include_directories(driver_hooks PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(driver_hooks PRIVATE tavi_warnings)
add_executable(demo_driver tools/driver/demo_driver.cpp)
target_link_libraries(demo_driver PRIVATE tavi_driver tavi_warnings)
add_dependencies(demo_driver tavi roomsim)

if(BUILD_TESTING)
  # The Clang build's tavi.exe (build/win32-clang, which `make test` builds first) is tested here too.
  get_filename_component(TAVI_CLANG_DIR ${CMAKE_BINARY_DIR}/../win32-clang ABSOLUTE)
  string(REPLACE "/" "\\" TAVI_CLANG_EXE_WINDOWS "Z:${TAVI_CLANG_DIR}/tavi.exe")
  set(TAVI_CLANG_ENVIRONMENT "TAVI_EXE=${TAVI_CLANG_EXE_WINDOWS}")
  add_subdirectory(tests/e2e)
  add_subdirectory(tests/compat)
endif()

# Benchmarks that run under Wine (make bench), beside their yardsticks.
if(BUILD_TESTING)
  set(BENCH_DIR ${CMAKE_BINARY_DIR}/bench)
  # The launch yardsticks start as tavi.exe does: its entry point and runtime, no C runtime library
  # to load, the same options.
  foreach(yardstick minimal_window minimal_form)
    add_executable(${yardstick} WIN32 bench/${yardstick}.cpp app/start.cpp app/runtime.cpp)
    target_include_directories(${yardstick} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
    target_compile_options(${yardstick} PRIVATE ${TAVI_I486_OPTIONS})
    target_link_options(${yardstick} PRIVATE ${TAVI_I486_FLAGS} -nostdlib -nostartfiles -Wl,-e,_TaviStart ${TAVI_PE_HEADER})
    target_link_libraries(${yardstick} PRIVATE kernel32 user32 gdi32 comctl32)
  endforeach()
  target_sources(minimal_form PRIVATE bench/minimal_form.rc)
  tavi_program(tavi_spinwait bench/tavi_spinwait.cpp)
  add_executable(wine_bench bench/wine_bench.cpp bench/wine_bench_preview.cpp app/preview.cpp app/preview_paint.cpp
                 app/preview_marks.cpp app/colours.cpp)
  target_link_libraries(wine_bench PRIVATE tavi_driver tavi_tools_platform)
  set_target_properties(minimal_window minimal_form tavi_spinwait wine_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY
                                                                                        ${BENCH_DIR})
  add_dependencies(wine_bench tavi minimal_window minimal_form tavi_spinwait)
endif()
