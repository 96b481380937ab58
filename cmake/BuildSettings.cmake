# Deployment settings built into the launcher. The defaults point at loopback servers and trust the
# development key, which is what tests, tools and `./dev demo` use; a release must override all of them.
# They have the production shape: the website and the primary mirror over https (named localhost, which
# the test certificate authority's server certificate carries), the fallback mirror over plain http.

file(STRINGS ${CMAKE_SOURCE_DIR}/keys/development/ed25519.public DKL_DEVELOPMENT_PUBLIC_KEY LIMIT_COUNT 1)

set(DKL_WEBSITE_URL "https://localhost:47800" CACHE STRING "Website base URL (https in a release)")
set(DKL_PRIMARY_UPDATE_URL "https://localhost:47801/updates" CACHE STRING "Primary update base URL (https, path /updates)")
set(DKL_FALLBACK_UPDATE_URL "http://127.0.0.1:47802/v2" CACHE STRING "Fallback update base URL (http, port 8080, path /v2)")
set(DKL_GAME_SERVER_HOST "127.0.0.1" CACHE STRING "Game server host name (the probe connects to port 2600)")
set(DKL_COMMUNITY_INVITE_URL "https://localhost:47800/community" CACHE STRING "Community invite link")
set(DKL_ED25519_PUBLIC_KEY "${DKL_DEVELOPMENT_PUBLIC_KEY}" CACHE STRING "Manifest signing public key, 64 hex digits")
option(DKL_RELEASE "Refuse development settings (loopback URLs, development key)" OFF)

include(${CMAKE_CURRENT_LIST_DIR}/SettingsRules.cmake)
dkl_check_settings()

string(TOLOWER "${DKL_ED25519_PUBLIC_KEY}" _key)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1, " DKL_ED25519_PUBLIC_KEY_BYTES "${_key}")
configure_file(${CMAKE_SOURCE_DIR}/src/core/build_settings.h.in ${CMAKE_BINARY_DIR}/generated/dkl/build_settings.h @ONLY)
add_library(dkl_build_settings INTERFACE)
target_include_directories(dkl_build_settings INTERFACE ${CMAKE_BINARY_DIR}/generated)
