# The Windows build's options for every target: unused code left out, reproducible output.
add_compile_options(-ffunction-sections -fdata-sections)
add_link_options(-static -Wl,--gc-sections "$<$<CXX_COMPILER_ID:GNU>:-static-libgcc;-static-libstdc++>")
# Reproducible: no link time in the PE header, no path of this checkout in the code.
add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}=.)
add_link_options(-Wl,--no-insert-timestamp)

# Everything the tests start lives side by side in build/win32.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
