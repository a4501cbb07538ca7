# `make package`: the Debian package tolvexvulcrax_<version>_<arch>.deb, made by CPack from
# the system install layout (cmake/InstallLayout.cmake): the bundle in /usr/lib/vst3, the
# factory presets in /usr/share/vst3/presets, vulcrax-render in /usr/bin and README,
# copyright and changelog in /usr/share/doc/tolvexvulcrax. Debian's dpkg-shlibdeps works out
# the library dependencies.

if(NOT TV_INSTALL_LAYOUT STREQUAL "system")
  return()
endif()

set(tv_packaging ${PROJECT_SOURCE_DIR}/packaging)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging)

# Debian wants changelog and manual page compressed at the highest level, without a time stamp.
function(tv_compressed source result)
  get_filename_component(name ${source} NAME)
  set(compressed ${CMAKE_BINARY_DIR}/packaging/${name}.gz)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
  execute_process(COMMAND gzip -9 -n -c INPUT_FILE ${source} OUTPUT_FILE ${compressed} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "cannot compress ${source}")
  endif()
  set(${result} ${compressed} PARENT_SCOPE)
endfunction()

tv_compressed(${tv_packaging}/changelog tv_changelog)
tv_compressed(${tv_packaging}/vulcrax-render.1 tv_manual)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${tv_packaging}/copyright ${tv_changelog}
        DESTINATION ${TV_INSTALL_DOC_DIR})
install(FILES ${tv_manual} DESTINATION share/man/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tolvexvulcrax)
set(CPACK_PACKAGE_VENDOR ${TV_MAKER_NAME})
set(CPACK_PACKAGE_CONTACT "${TV_MAKER_NAME} <${TV_MAKER_EMAIL}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "three-band distortion effect as a VST 3 plug-in")
set(CPACK_PACKAGE_DESCRIPTION
  "TolvexVulcrax splits the sound into low, mid and high bands and gives each\n"
  "band a saturator, a bit reducer and a harmonic exciter with their own dry/wet\n"
  "mix, plus a level and a mute. It comes with factory presets for VST 3 hosts\n"
  "and with vulcrax-render, which processes audio files through the plug-in\n"
  "from the command line.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.tolvex.com)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The editor draws its text in Arial's metric twin when fontconfig finds it.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-liberation2)
include(CPack)
