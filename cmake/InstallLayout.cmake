# Where `cmake --install` puts things, in one of two layouts:
#
#   user    the prefix is the user's VST 3 folder ($HOME/.vst3 unless given): the bundle at
#           its top and the factory presets in presets/Tolvex/TolvexVulcrax/
#   system  a system prefix such as /usr (the Debian package): the bundle in lib/vst3/, the
#           presets in share/vst3/presets/Tolvex/TolvexVulcrax/, vulcrax-render in bin/ and
#           README and licence in share/doc/tolvexvulcrax/
#
# TV_INSTALL_LAYOUT chooses; it defaults to user when no prefix was given at configure time.
# `make install` and `make package` always set it. In the user layout the directories that
# do not exist there (TV_INSTALL_BIN_DIR, TV_INSTALL_DOC_DIR) are empty and nothing goes to them.

set(TV_PRESET_SUBDIR "${TV_MAKER_NAME}/${PROJECT_NAME}")
# The system layout's folders; the renderer looks for the bundle relative to its own place.
set(TV_SYSTEM_VST3_DIR lib/vst3)
set(TV_SYSTEM_BIN_DIR bin)

if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
  set(CMAKE_INSTALL_PREFIX "$ENV{HOME}/.vst3" CACHE PATH "Where `cmake --install` installs" FORCE)
  set(tv_default_layout user)
else()
  set(tv_default_layout system)
endif()
set(TV_INSTALL_LAYOUT ${tv_default_layout} CACHE STRING "Install layout: user (a VST 3 folder) or system (a prefix such as /usr)")
set_property(CACHE TV_INSTALL_LAYOUT PROPERTY STRINGS user system)

if(TV_INSTALL_LAYOUT STREQUAL "user")
  set(TV_INSTALL_VST3_DIR .)
  set(TV_INSTALL_PRESET_DIR presets/${TV_PRESET_SUBDIR})
  set(TV_INSTALL_BIN_DIR "")
  set(TV_INSTALL_DOC_DIR "")
elseif(TV_INSTALL_LAYOUT STREQUAL "system")
  set(TV_INSTALL_VST3_DIR ${TV_SYSTEM_VST3_DIR})
  set(TV_INSTALL_PRESET_DIR share/vst3/presets/${TV_PRESET_SUBDIR})
  set(TV_INSTALL_BIN_DIR ${TV_SYSTEM_BIN_DIR})
  set(TV_INSTALL_DOC_DIR share/doc/tolvexvulcrax)
else()
  message(FATAL_ERROR "TV_INSTALL_LAYOUT must be user or system, not '${TV_INSTALL_LAYOUT}'")
endif()
unset(tv_default_layout)
