# Warnings and sanitizers shared by every target of the project.

set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

set(TV_SANITIZE "" CACHE STRING "Comma-separated sanitizers to build with (address,undefined or thread)")

add_library(tv_warnings INTERFACE)
target_compile_options(tv_warnings INTERFACE -Wall -Wextra)

# Fuzzing builds (clang only): every library gets coverage instrumentation and AddressSanitizer
# and UndefinedBehaviorSanitizer; only the fuzz targets in fuzz/ link libFuzzer's main.
option(TV_FUZZ "Build the libFuzzer targets in fuzz/ (needs clang)" OFF)
if(TV_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

if(TV_SANITIZE)
  add_compile_options(-fsanitize=${TV_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=${TV_SANITIZE})
endif()
