# Adds the CTest test "rows_fuzz": the reader of the PT grid's stored rows over
# the seeds in fuzz/rows/corpus and deterministic mutations of them, under the
# plain driver of the stored-definition fuzz test, linked with the grid library.

set(ROWS_FUZZ_DIR ${CMAKE_CURRENT_LIST_DIR}/rows)
math(EXPR runs "50000 / ${ORGRIGHTS_FUZZ_SHARE}")
set(ROWS_FUZZ_RUNS ${runs} CACHE STRING "Inputs the rows_fuzz test tries")

add_executable(rows_fuzz_driver ${ROWS_FUZZ_DIR}/RowsFuzzTarget.cpp ${CMAKE_SOURCE_DIR}/fuzz/FuzzDriver.cpp)
target_link_libraries(rows_fuzz_driver PRIVATE orgrights_core)
add_test(NAME rows_fuzz COMMAND rows_fuzz_driver -runs=${ROWS_FUZZ_RUNS} ${ROWS_FUZZ_DIR}/corpus)
set_tests_properties(rows_fuzz PROPERTIES TIMEOUT 300)
