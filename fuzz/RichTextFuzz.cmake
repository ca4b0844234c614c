# Adds the CTest test "richtext_fuzz": the rich-text reader of cells over the
# seeds in fuzz/richtext/corpus for a bounded number of inputs. With a clang
# that links libFuzzer (probed by StreamFuzz.cmake) it runs under libFuzzer;
# otherwise under the plain driver of the stored-definition fuzz test.

set(RICHTEXT_FUZZ_DIR ${CMAKE_CURRENT_LIST_DIR}/richtext)
set(RICHTEXT_FUZZ_BINARY_DIR ${CMAKE_BINARY_DIR}/richtext-fuzz)
math(EXPR runs "20000 / ${ORGRIGHTS_FUZZ_SHARE}")
set(RICHTEXT_FUZZ_RUNS ${runs} CACHE STRING "Inputs the richtext_fuzz test tries")

if(STREAM_FUZZ_CLANGXX AND STREAM_FUZZ_HAVE_LIBFUZZER)
  include(ExternalProject)
  ExternalProject_Add(richtext_fuzz_build
    SOURCE_DIR ${RICHTEXT_FUZZ_DIR}
    BINARY_DIR ${RICHTEXT_FUZZ_BINARY_DIR}
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
    BUILD_BYPRODUCTS ${RICHTEXT_FUZZ_BINARY_DIR}/richtext_fuzz)
  set(richtext_fuzz_work ${RICHTEXT_FUZZ_BINARY_DIR}/work-corpus)
  file(MAKE_DIRECTORY ${richtext_fuzz_work})
  add_test(NAME richtext_fuzz
    COMMAND ${RICHTEXT_FUZZ_BINARY_DIR}/richtext_fuzz -runs=${RICHTEXT_FUZZ_RUNS} -max_total_time=60
            -max_len=16384 -dict=${RICHTEXT_FUZZ_DIR}/rtf.dict -artifact_prefix=${RICHTEXT_FUZZ_BINARY_DIR}/
            ${richtext_fuzz_work} ${RICHTEXT_FUZZ_DIR}/corpus)
  add_test(NAME richtext_fuzz_build
    COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target richtext_fuzz_build)
  set_tests_properties(richtext_fuzz_build PROPERTIES FIXTURES_SETUP richtext_fuzz_program)
  set_tests_properties(richtext_fuzz PROPERTIES FIXTURES_REQUIRED richtext_fuzz_program TIMEOUT 300)
else()
  add_executable(richtext_fuzz_driver
    ${RICHTEXT_FUZZ_DIR}/RichTextFuzzTarget.cpp
    ${CMAKE_SOURCE_DIR}/fuzz/FuzzDriver.cpp
    ${CMAKE_SOURCE_DIR}/src/grid/richtext/RichTextReader.cpp
    ${CMAKE_SOURCE_DIR}/src/platform/canvas/text/GbkText.cpp)
  target_include_directories(richtext_fuzz_driver PRIVATE ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(richtext_fuzz_driver PRIVATE Qt6::Core Qt6::Gui)
  target_compile_options(richtext_fuzz_driver PRIVATE -fsanitize=address,undefined -fno-sanitize-recover=undefined)
  target_link_options(richtext_fuzz_driver PRIVATE -fsanitize=address,undefined)
  add_test(NAME richtext_fuzz COMMAND richtext_fuzz_driver -runs=${RICHTEXT_FUZZ_RUNS} ${RICHTEXT_FUZZ_DIR}/corpus)
  set_tests_properties(richtext_fuzz PROPERTIES TIMEOUT 300)
endif()
