# The launcher executable's resources: the fonts and pictures are made into the build folder by
# assets/make-resources, then compiled with the resource script by windres.
set(DKL_RESOURCE_DIR ${CMAKE_CURRENT_BINARY_DIR}/resources)
set(DKL_MANIFEST ${CMAKE_CURRENT_SOURCE_DIR}/ui/launcher.manifest)
set(dkl_resource_files
  ${DKL_RESOURCE_DIR}/launcher.ico ${DKL_RESOURCE_DIR}/display.ttf ${DKL_RESOURCE_DIR}/script.ttf
  ${DKL_RESOURCE_DIR}/background.jpg ${DKL_RESOURCE_DIR}/emblem.png)

foreach(needed
    "/usr/share/fonts/truetype/klaudia-berenika/Berenika.ttf|fonts-klaudia-berenika"
    "/usr/share/fonts/opentype/dancingscript/DancingScript-Regular.otf|fonts-dancingscript"
    "/usr/bin/fontforge|fontforge-nox"
    "/usr/lib/python3/dist-packages/PIL|python3-pil")
  string(REPLACE "|" ";" fields "${needed}")
  list(GET fields 0 path)
  list(GET fields 1 package)
  if(NOT EXISTS ${path})
    message(FATAL_ERROR "The launcher's resources need ${path}: install the Debian package ${package} "
                        "(scripts/bootstrap does)")
  endif()
endforeach()

set(make_resources ${CMAKE_SOURCE_DIR}/assets/make-resources)
add_custom_command(
  OUTPUT ${dkl_resource_files}
  COMMAND ${make_resources} ${DKL_RESOURCE_DIR}
  DEPENDS ${make_resources} ${CMAKE_SOURCE_DIR}/assets/make-art.py
  COMMENT "Making the launcher's fonts and pictures"
  VERBATIM)

# An object library, so that the tests that paint with the launcher's fonts carry the same resources.
configure_file(ui/launcher.rc.in ${CMAKE_CURRENT_BINARY_DIR}/launcher.rc @ONLY)
add_library(dkl_resources OBJECT ${CMAKE_CURRENT_BINARY_DIR}/launcher.rc)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/launcher.rc PROPERTIES
  OBJECT_DEPENDS "${dkl_resource_files};${DKL_MANIFEST};${CMAKE_CURRENT_SOURCE_DIR}/ui/resource_ids.h")
target_include_directories(dkl_resources PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(DuskcrownLauncher PRIVATE dkl_resources)
