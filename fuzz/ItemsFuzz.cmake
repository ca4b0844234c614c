# Adds the CTest test "items_fuzz": the chart's Items reader under the fuzzer,
# with the same choice of runner as stream_fuzz (included from StreamFuzz.cmake,
# whose probe it reuses).

set(ITEMS_FUZZ_CORPUS ${STREAM_FUZZ_DIR}/items-corpus)
math(EXPR runs "20000 / ${ORGRIGHTS_FUZZ_SHARE}")
set(ITEMS_FUZZ_RUNS ${runs} CACHE STRING "Inputs the items_fuzz test tries")

if(STREAM_FUZZ_CLANGXX AND STREAM_FUZZ_HAVE_LIBFUZZER)
  # Built by the same separate project as stream_fuzz.
  set(items_fuzz_work ${STREAM_FUZZ_BINARY_DIR}/items-work-corpus)
  file(MAKE_DIRECTORY ${items_fuzz_work})
  add_test(NAME items_fuzz
    COMMAND ${STREAM_FUZZ_BINARY_DIR}/items_fuzz -runs=${ITEMS_FUZZ_RUNS} -max_total_time=60 -max_len=4096
            -artifact_prefix=${STREAM_FUZZ_BINARY_DIR}/items- ${items_fuzz_work} ${ITEMS_FUZZ_CORPUS})
  set_tests_properties(items_fuzz PROPERTIES FIXTURES_REQUIRED stream_fuzz_program TIMEOUT 300)
else()
  add_executable(items_fuzz_driver
    ${STREAM_FUZZ_DIR}/ItemsFuzzTarget.cpp
    ${STREAM_FUZZ_DIR}/FuzzDriver.cpp
    ${CMAKE_SOURCE_DIR}/src/orgchart/model/OcNode.cpp
    ${CMAKE_SOURCE_DIR}/src/orgchart/model/OcTree.cpp
    ${CMAKE_SOURCE_DIR}/src/orgchart/model/OcListPool.cpp
    ${CMAKE_SOURCE_DIR}/src/orgchart/model/OcItemStream.cpp
    ${CMAKE_SOURCE_DIR}/src/platform/canvas/text/CodePage.cpp
    ${CMAKE_SOURCE_DIR}/src/platform/base/Object.cpp)
  target_include_directories(items_fuzz_driver PRIVATE ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(items_fuzz_driver PRIVATE Qt6::Core Qt6::Gui)
  target_compile_options(items_fuzz_driver PRIVATE -fsanitize=address,undefined -fno-sanitize-recover=undefined)
  target_link_options(items_fuzz_driver PRIVATE -fsanitize=address,undefined)
  add_test(NAME items_fuzz COMMAND items_fuzz_driver -runs=${ITEMS_FUZZ_RUNS} ${ITEMS_FUZZ_CORPUS})
  set_tests_properties(items_fuzz PROPERTIES TIMEOUT 300)
endif()
