# Native (Linux) part of the build: unit tests and the console preview.
find_package(GTest REQUIRED)

add_executable(tavi_preview tools/preview/preview.cpp)
target_link_libraries(tavi_preview PRIVATE tavi_core tavi_warnings)

if(BUILD_TESTING)
  add_subdirectory(tests/unit)
  # MESSAGE reaches make preview's and make demo's program exactly as typed.
  add_test(NAME make.MessageQuoting COMMAND bash ${CMAKE_SOURCE_DIR}/tests/make/message_quoting.sh)
  # tools/check/tree.sh names each breach of the tree's rules.
  add_test(NAME make.TreeRules COMMAND bash ${CMAKE_SOURCE_DIR}/tests/make/tree_rules.sh)
  if(TAVI_SANITIZE)
    add_subdirectory(tests/fuzz)
  endif()
endif()

find_package(benchmark QUIET)
if(benchmark_FOUND)
  add_executable(styles_bench bench/styles_bench.cpp)
  target_link_libraries(styles_bench PRIVATE tavi_core tavi_warnings benchmark::benchmark)
endif()
