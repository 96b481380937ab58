# Warnings are errors in both builds; third-party code is compiled without them.
function(dkl_strict_warnings target)
  # The two GCC builds hold the line; clang's fuzz build is about the sanitizers, not its own warnings.
  if(DKL_FUZZ)
    return()
  endif()
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Werror)
  # GCC 12 reports a false overlap in inlined std::string concatenation (GCC bug 105651).
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
endfunction()
