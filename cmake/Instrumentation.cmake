# Two instrumented builds, each in its own build folder:
#
# WORDLARK_SANITIZE: everything (libraries, tools, tests) with AddressSanitizer
#   and UndefinedBehaviorSanitizer; undefined behaviour stops the program like
#   a memory error does. -O1 with line tables only keeps the build short while
#   reports still name the file and line.
# WORDLARK_FUZZ (clang): the libraries carry libFuzzer's coverage feedback as
#   well as both sanitizers, so a fuzz target sees which branches of the parsers
#   an input reached; only the fuzz targets link libFuzzer itself.
option(WORDLARK_SANITIZE "Build everything with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(WORDLARK_FUZZ "Build instrumented libraries and libFuzzer targets (clang only)" OFF)

if(WORDLARK_SANITIZE OR WORDLARK_FUZZ)
  set(_sanitizers -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    list(APPEND _sanitizers -gline-tables-only)
  else()
    list(APPEND _sanitizers -g1)
  endif()
  add_compile_options(-O1 ${_sanitizers})
  add_link_options(-fsanitize=address,undefined)
endif()

if(WORDLARK_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "WORDLARK_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
