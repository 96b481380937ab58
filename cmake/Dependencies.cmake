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

# libsodium for Ed25519: Debian's package on the host, built from Debian's source for MinGW by
# scripts/bootstrap (there is no MinGW package).
add_library(dkl_sodium INTERFACE)
if(WIN32)
  set(DKL_SODIUM_MINGW_PREFIX "$ENV{HOME}/.cache/duskcrown/libsodium-mingw-1.0.18" CACHE PATH
      "libsodium built for MinGW by scripts/bootstrap")
  if(DEFINED ENV{DKL_CACHE})
    set(DKL_SODIUM_MINGW_PREFIX "$ENV{DKL_CACHE}/libsodium-mingw-1.0.18")
  endif()
  if(NOT EXISTS ${DKL_SODIUM_MINGW_PREFIX}/lib/libsodium.a)
    message(FATAL_ERROR "libsodium for MinGW is missing in ${DKL_SODIUM_MINGW_PREFIX}: run scripts/bootstrap")
  endif()
  target_include_directories(dkl_sodium SYSTEM INTERFACE ${DKL_SODIUM_MINGW_PREFIX}/include)
  target_link_libraries(dkl_sodium INTERFACE ${DKL_SODIUM_MINGW_PREFIX}/lib/libsodium.a)
  target_compile_definitions(dkl_sodium INTERFACE SODIUM_STATIC)
else()
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(SODIUM REQUIRED IMPORTED_TARGET libsodium)
  target_link_libraries(dkl_sodium INTERFACE PkgConfig::SODIUM)
endif()

# zlib's raw inflate (and, for the publisher, gzip deflate): MinGW's package or the host's.
find_package(ZLIB REQUIRED)

# GoogleTest from Debian's sources, compiled by whichever compiler this build uses.
if(DKL_BUILD_TESTS)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
endif()
