# Builds the parts of the VST 3 SDK the plug-in and its host-side tests use.
#
#   VST3_SDK_ROOT   folder holding base/, pluginterfaces/ and public.sdk/
#                   (default: Debian's copy from juce-modules-source-data)
#
# Targets:
#   tv_vst3_sdk          static, position-independent: object model, strings, buses,
#                        parameters, component and controller bases, plug-in view base
#   tv_vst3_sdk_hosting  static: the SDK's host-side helpers (host application,
#                        message and attribute objects, memory stream, preset files) for
#                        tools and tests
#
# The SDK's include folders are SYSTEM includes so its own warnings stay out of our
# -Wall -Wextra builds; the SDK sources themselves are compiled with warnings off.

set(TV_DEBIAN_VST3_SDK "/usr/share/juce/modules/juce_audio_processors/format_types/VST3_SDK")
set(VST3_SDK_ROOT "${TV_DEBIAN_VST3_SDK}" CACHE PATH "Folder of the VST 3 SDK (base, pluginterfaces, public.sdk)")

if(NOT EXISTS "${VST3_SDK_ROOT}/pluginterfaces/base/funknown.h")
  message(FATAL_ERROR "VST 3 SDK not found in '${VST3_SDK_ROOT}'. "
    "Install juce-modules-source-data (scripts/install-deps) or pass -DVST3_SDK_ROOT=<folder>.")
endif()

if(TARGET tv_vst3_sdk)
  return()
endif()

set(_sdk "${VST3_SDK_ROOT}")

add_library(tv_vst3_sdk STATIC
  ${_sdk}/base/source/baseiids.cpp
  ${_sdk}/base/source/fbuffer.cpp
  ${_sdk}/base/source/fdebug.cpp
  ${_sdk}/base/source/fobject.cpp
  ${_sdk}/base/source/fstreamer.cpp
  ${_sdk}/base/source/fstring.cpp
  ${_sdk}/base/source/updatehandler.cpp
  ${_sdk}/base/thread/source/flock.cpp
  ${_sdk}/pluginterfaces/base/conststringtable.cpp
  ${_sdk}/pluginterfaces/base/coreiids.cpp
  ${_sdk}/pluginterfaces/base/funknown.cpp
  ${_sdk}/pluginterfaces/base/ustring.cpp
  ${_sdk}/public.sdk/source/common/pluginview.cpp
  ${_sdk}/public.sdk/source/vst/vstbus.cpp
  ${_sdk}/public.sdk/source/vst/vstcomponent.cpp
  ${_sdk}/public.sdk/source/vst/vstcomponentbase.cpp
  ${_sdk}/public.sdk/source/vst/vsteditcontroller.cpp
  ${_sdk}/public.sdk/source/vst/vstinitiids.cpp
  ${_sdk}/public.sdk/source/vst/vstparameters.cpp
  # The editor-view interface identifiers, which the SDK subset declares but never defines.
  ${CMAKE_CURRENT_LIST_DIR}/../vst3/sdk/GuiInterfaceIds.cpp
)
target_include_directories(tv_vst3_sdk SYSTEM PUBLIC "${_sdk}")
target_compile_definitions(tv_vst3_sdk PUBLIC RELEASE=1)
target_compile_options(tv_vst3_sdk PRIVATE -w)
set_target_properties(tv_vst3_sdk PROPERTIES POSITION_INDEPENDENT_CODE ON)
find_package(Threads REQUIRED)
target_link_libraries(tv_vst3_sdk PUBLIC Threads::Threads)

add_library(tv_vst3_sdk_hosting STATIC
  ${_sdk}/public.sdk/source/common/memorystream.cpp
  ${_sdk}/public.sdk/source/vst/hosting/hostclasses.cpp
  ${_sdk}/public.sdk/source/vst/hosting/pluginterfacesupport.cpp
  ${_sdk}/public.sdk/source/vst/vstpresetfile.cpp
)
target_compile_options(tv_vst3_sdk_hosting PRIVATE -w)
set_target_properties(tv_vst3_sdk_hosting PROPERTIES POSITION_INDEPENDENT_CODE ON)
target_link_libraries(tv_vst3_sdk_hosting PUBLIC tv_vst3_sdk)

unset(_sdk)
