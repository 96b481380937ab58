# Every dependency comes from a Debian package installed by scripts/bootstrap.

# nlohmann json is header-only in /usr/include. The cross compiler must not see the rest of
# /usr/include (glibc's headers), so both builds reach it through a link in the build tree.
set(DKL_DEPS_INCLUDE ${CMAKE_BINARY_DIR}/deps/include)
if(NOT EXISTS /usr/include/nlohmann/json.hpp)
  message(FATAL_ERROR "nlohmann json is missing: run scripts/bootstrap")
endif()
file(MAKE_DIRECTORY ${DKL_DEPS_INCLUDE})
file(CREATE_LINK /usr/include/nlohmann ${DKL_DEPS_INCLUDE}/nlohmann SYMBOLIC)
add_library(dkl_json INTERFACE)
target_include_directories(dkl_json SYSTEM INTERFACE ${DKL_DEPS_INCLUDE})
# The launcher never lets the JSON library throw: parsing reports errors as discarded values.
target_compile_definitions(dkl_json INTERFACE JSON_USE_IMPLICIT_CONVERSIONS=0)

# GoogleTest from Debian's sources, compiled by whichever compiler this build uses.
if(DKL_BUILD_TESTS)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
endif()
