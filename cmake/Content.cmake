# The data folder is generated, not checked in: the native tools project (tools/) is built for the
# build machine and its generator writes "Reefglass" and the dialog pictures into the build tree.

include(ExternalProject)

set(REEF_HOST_DIR ${CMAKE_BINARY_DIR}/host)
set(REEF_CONTENT_DIR ${CMAKE_BINARY_DIR}/Reefglass)
set(REEF_DIALOG_PICTURE_DIR ${CMAKE_BINARY_DIR}/dialog-pictures)
set(REEF_CONTENT_GENERATOR ${REEF_HOST_DIR}/reefcontent)
set(REEF_CONTENT_TESTS ${REEF_HOST_DIR}/content_tests)

# No toolchain file: these programs run here, on the build machine.
ExternalProject_Add(reef_tools
  SOURCE_DIR ${CMAKE_SOURCE_DIR}/tools
  BINARY_DIR ${REEF_HOST_DIR}
  CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=g++
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  BUILD_BYPRODUCTS ${REEF_CONTENT_GENERATOR} ${REEF_CONTENT_TESTS})

set(REEF_CONTENT_STAMP ${CMAKE_BINARY_DIR}/reef_content.stamp)
add_custom_command(OUTPUT ${REEF_CONTENT_STAMP}
  COMMAND ${REEF_CONTENT_GENERATOR} ${REEF_CONTENT_DIR} ${REEF_DIALOG_PICTURE_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${REEF_CONTENT_STAMP}
  DEPENDS reef_tools ${REEF_CONTENT_GENERATOR}
  COMMENT "Generating the Reefglass data folder"
  VERBATIM)
add_custom_target(reef_content ALL DEPENDS ${REEF_CONTENT_STAMP})

# The dialog pictures, for the resource script of the settings dialog.
set(REEF_DIALOG_PICTURES
  ${REEF_DIALOG_PICTURE_DIR}/fish_silverfish.bmp
  ${REEF_DIALOG_PICTURE_DIR}/fish_anglefish.bmp
  ${REEF_DIALOG_PICTURE_DIR}/fish_red.bmp
  ${REEF_DIALOG_PICTURE_DIR}/fish_blue.bmp
  ${REEF_DIALOG_PICTURE_DIR}/fish_stripe.bmp
  ${REEF_DIALOG_PICTURE_DIR}/fish_dot.bmp
  ${REEF_DIALOG_PICTURE_DIR}/fish_yellowblue.bmp
  ${REEF_DIALOG_PICTURE_DIR}/fish_biggrey.bmp
  ${REEF_DIALOG_PICTURE_DIR}/fish_bigred.bmp
  ${REEF_DIALOG_PICTURE_DIR}/manta.bmp
  ${REEF_DIALOG_PICTURE_DIR}/gull.bmp)

# Native tests: no emulator.
enable_testing()
add_test(NAME content_tests COMMAND ${REEF_CONTENT_TESTS})
set_tests_properties(content_tests PROPERTIES TIMEOUT 300)
