# The fuzz build (preset fuzz): clang instruments every portable module for libFuzzer's coverage, on
# top of the sanitizers; only the executables in tests/fuzz link libFuzzer's engine.
option(DKL_FUZZ "Build the libFuzzer targets of tests/fuzz (clang only)" OFF)
if(DKL_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "DKL_FUZZ needs clang: configure with the fuzz preset")
  endif()
  if(NOT DKL_SANITIZE)
    message(FATAL_ERROR "DKL_FUZZ runs under the sanitizers: set DKL_SANITIZE")
  endif()
  # -O1: fast enough to fuzz, still close to the source in a sanitizer's report.
  add_compile_options(-fsanitize=fuzzer-no-link -O1)
endif()
