# Adds the CTest test "stream_fuzz" to the product build. With a clang that can
# link libFuzzer, the target in this folder is built as a separate project with
# clang; otherwise the same entry point runs under a plain driver built here.

set(STREAM_FUZZ_DIR ${CMAKE_CURRENT_LIST_DIR})
set(STREAM_FUZZ_CORPUS ${STREAM_FUZZ_DIR}/corpus)
set(STREAM_FUZZ_BINARY_DIR ${CMAKE_BINARY_DIR}/stream-fuzz)
# The sanitizer build tries a fifth of the inputs so that its suite stays quick;
# the plain build tries them all.
if(ORGRIGHTS_SANITIZE)
  set(ORGRIGHTS_FUZZ_SHARE 5)
else()
  set(ORGRIGHTS_FUZZ_SHARE 1)
endif()
math(EXPR runs "20000 / ${ORGRIGHTS_FUZZ_SHARE}")
set(STREAM_FUZZ_RUNS ${runs} CACHE STRING "Inputs the stream_fuzz test tries")

find_program(STREAM_FUZZ_CLANGXX NAMES clang++ clang++-14)
if(STREAM_FUZZ_CLANGXX AND NOT DEFINED STREAM_FUZZ_HAVE_LIBFUZZER)
  # A compiler alone is not enough: the libFuzzer runtime is a separate package.
  set(probe ${CMAKE_BINARY_DIR}/stream-fuzz-probe)
  file(MAKE_DIRECTORY ${probe})
  file(WRITE ${probe}/probe.cpp
    "#include <cstddef>\n#include <cstdint>\n"
    "extern \"C\" int LLVMFuzzerTestOneInput(const uint8_t*, size_t) { return 0; }\n")
  execute_process(
    COMMAND ${STREAM_FUZZ_CLANGXX} -fsanitize=fuzzer,address,undefined ${probe}/probe.cpp -o ${probe}/probe
    RESULT_VARIABLE probe_result OUTPUT_QUIET ERROR_QUIET)
  if(probe_result EQUAL 0)
    set(STREAM_FUZZ_HAVE_LIBFUZZER ON CACHE INTERNAL "clang links libFuzzer")
  else()
    set(STREAM_FUZZ_HAVE_LIBFUZZER OFF CACHE INTERNAL "clang links libFuzzer")
  endif()
endif()

if(STREAM_FUZZ_CLANGXX AND STREAM_FUZZ_HAVE_LIBFUZZER)
  include(ExternalProject)
  ExternalProject_Add(stream_fuzz_build
    SOURCE_DIR ${STREAM_FUZZ_DIR}
    BINARY_DIR ${STREAM_FUZZ_BINARY_DIR}
    CMAKE_ARGS
      -DCMAKE_CXX_COMPILER=${STREAM_FUZZ_CLANGXX}
      -DCMAKE_BUILD_TYPE=RelWithDebInfo
      -DORGRIGHTS_SOURCE_DIR=${CMAKE_SOURCE_DIR}
      -DORGRIGHTS_WERROR=${ORGRIGHTS_WERROR}
      -DQt6_DIR=${Qt6_DIR}
      # ccache alone: the main build's launcher is a list, which would split here.
      -DCMAKE_CXX_COMPILER_LAUNCHER=${CCACHE_PROGRAM}
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS ${STREAM_FUZZ_BINARY_DIR}/stream_fuzz)
  set(stream_fuzz_program ${STREAM_FUZZ_BINARY_DIR}/stream_fuzz)
  # New inputs go to a scratch folder, never into the checked-in seeds.
  set(stream_fuzz_work ${STREAM_FUZZ_BINARY_DIR}/work-corpus)
  file(MAKE_DIRECTORY ${stream_fuzz_work})
  add_test(NAME stream_fuzz
    COMMAND ${stream_fuzz_program} -runs=${STREAM_FUZZ_RUNS} -max_total_time=60 -max_len=8192
            -dict=${STREAM_FUZZ_DIR}/form.dict -artifact_prefix=${STREAM_FUZZ_BINARY_DIR}/
            ${stream_fuzz_work} ${STREAM_FUZZ_CORPUS})
  # ctest may run before anyone built the separate project; build it first then.
  add_test(NAME stream_fuzz_build
    COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target stream_fuzz_build)
  set_tests_properties(stream_fuzz_build PROPERTIES FIXTURES_SETUP stream_fuzz_program)
  set_tests_properties(stream_fuzz PROPERTIES FIXTURES_REQUIRED stream_fuzz_program TIMEOUT 300)
else()
  add_executable(stream_fuzz_driver
    ${STREAM_FUZZ_DIR}/FormFuzzTarget.cpp
    ${STREAM_FUZZ_DIR}/FuzzDriver.cpp
    ${CMAKE_SOURCE_DIR}/src/stream/FormValue.cpp
    ${CMAKE_SOURCE_DIR}/src/stream/FormLexer.cpp
    ${CMAKE_SOURCE_DIR}/src/stream/FormReader.cpp
    ${CMAKE_SOURCE_DIR}/src/stream/FormWriter.cpp
    ${CMAKE_SOURCE_DIR}/src/platform/base/Object.cpp)
  target_include_directories(stream_fuzz_driver PRIVATE ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(stream_fuzz_driver PRIVATE Qt6::Core)
  target_compile_options(stream_fuzz_driver PRIVATE -fsanitize=address,undefined -fno-sanitize-recover=undefined)
  target_link_options(stream_fuzz_driver PRIVATE -fsanitize=address,undefined)
  add_test(NAME stream_fuzz COMMAND stream_fuzz_driver -runs=${STREAM_FUZZ_RUNS} ${STREAM_FUZZ_CORPUS})
  set_tests_properties(stream_fuzz PROPERTIES TIMEOUT 300)
endif()
include(${CMAKE_CURRENT_LIST_DIR}/ItemsFuzz.cmake)
