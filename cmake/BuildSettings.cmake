# Deployment settings built into the launcher. The defaults point at loopback servers and trust the
# development key, which is what tests, tools and `./dev demo` use; a release must override all of them.

file(STRINGS ${CMAKE_SOURCE_DIR}/keys/development/ed25519.public DKL_DEVELOPMENT_PUBLIC_KEY LIMIT_COUNT 1)

set(DKL_WEBSITE_URL "http://127.0.0.1:47800" CACHE STRING "Website base URL (https in a release)")
set(DKL_PRIMARY_UPDATE_URL "http://127.0.0.1:47801/updates" CACHE STRING "Primary update base URL (https, path /updates)")
set(DKL_FALLBACK_UPDATE_URL "http://127.0.0.1:47802/v2" CACHE STRING "Fallback update base URL (http, port 8080, path /v2)")
set(DKL_GAME_SERVER_HOST "127.0.0.1" CACHE STRING "Game server host name (the probe connects to port 2600)")
set(DKL_COMMUNITY_INVITE_URL "http://127.0.0.1:47800/community" CACHE STRING "Community invite link")
set(DKL_ED25519_PUBLIC_KEY "${DKL_DEVELOPMENT_PUBLIC_KEY}" CACHE STRING "Manifest signing public key, 64 hex digits")
option(DKL_RELEASE "Refuse development settings (loopback URLs, development key)" OFF)

function(dkl_require condition message)
  if(NOT ${condition})
    message(FATAL_ERROR "${message}")
  endif()
endfunction()

string(TOLOWER "${DKL_ED25519_PUBLIC_KEY}" DKL_ED25519_PUBLIC_KEY_LOWER)
string(REGEX MATCH "^[0-9a-f]+$" _key_is_hex "${DKL_ED25519_PUBLIC_KEY_LOWER}")
string(LENGTH "${DKL_ED25519_PUBLIC_KEY_LOWER}" _key_length)
if(NOT _key_is_hex OR NOT _key_length EQUAL 64)
  message(FATAL_ERROR "DKL_ED25519_PUBLIC_KEY must be 64 hexadecimal digits, got '${DKL_ED25519_PUBLIC_KEY}'")
endif()

foreach(_url DKL_WEBSITE_URL DKL_PRIMARY_UPDATE_URL DKL_FALLBACK_UPDATE_URL DKL_COMMUNITY_INVITE_URL)
  if("${${_url}}" MATCHES "/$")
    message(FATAL_ERROR "${_url} must not end in a slash: '${${_url}}'")
  endif()
endforeach()

if(DKL_RELEASE)
  dkl_require(NOT "${DKL_ED25519_PUBLIC_KEY_LOWER}" STREQUAL "${DKL_DEVELOPMENT_PUBLIC_KEY}"
    "A release cannot trust the development key: set DKL_ED25519_PUBLIC_KEY to the production public key")
  set(_loopback "^[a-z]+://(localhost|127\\.[0-9.]+|\\[::1\\])([:/]|$)|^(localhost|127\\.[0-9.]+|::1)$")
  foreach(_setting DKL_WEBSITE_URL DKL_PRIMARY_UPDATE_URL DKL_FALLBACK_UPDATE_URL DKL_COMMUNITY_INVITE_URL
                   DKL_GAME_SERVER_HOST)
    string(TOLOWER "${${_setting}}" _value)
    if(_value MATCHES "${_loopback}")
      message(FATAL_ERROR "A release cannot use a loopback address: set ${_setting} (now '${${_setting}}')")
    endif()
  endforeach()
  dkl_require(DKL_WEBSITE_URL MATCHES "^https://[^/:]+$"
    "DKL_WEBSITE_URL must be https on the default port with no path")
  dkl_require(DKL_PRIMARY_UPDATE_URL MATCHES "^https://[^/:]+/updates$"
    "DKL_PRIMARY_UPDATE_URL must be https on the default port with the path /updates")
  dkl_require(DKL_FALLBACK_UPDATE_URL MATCHES "^http://[^/:]+:8080/v2$"
    "DKL_FALLBACK_UPDATE_URL must be plain http on port 8080 with the path /v2")
endif()

string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1, " DKL_ED25519_PUBLIC_KEY_BYTES "${DKL_ED25519_PUBLIC_KEY_LOWER}")
configure_file(${CMAKE_SOURCE_DIR}/src/core/build_settings.h.in ${CMAKE_BINARY_DIR}/generated/dkl/build_settings.h @ONLY)
add_library(dkl_build_settings INTERFACE)
target_include_directories(dkl_build_settings INTERFACE ${CMAKE_BINARY_DIR}/generated)
