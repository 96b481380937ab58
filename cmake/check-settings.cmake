# Script mode: checks the build settings given with -D, exactly as configuring would.
# cmake -DDKL_RELEASE=ON -DDKL_ED25519_PUBLIC_KEY=... -P cmake/check-settings.cmake
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/../keys/development/ed25519.public DKL_DEVELOPMENT_PUBLIC_KEY LIMIT_COUNT 1)
include(${CMAKE_CURRENT_LIST_DIR}/SettingsRules.cmake)
dkl_check_settings()
message(STATUS "settings accepted")
