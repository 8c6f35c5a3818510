cmake_minimum_required(VERSION 3.25)
# Fails when a source file is not formatted as .clang-format says. Run as
#   cmake -DSOURCE_DIR=<project root> -DCLANG_FORMAT=<program> -P CheckFormat.cmake
file(GLOB_RECURSE files
    ${SOURCE_DIR}/src/*.h ${SOURCE_DIR}/src/*.cpp
    ${SOURCE_DIR}/browserhost/*.h ${SOURCE_DIR}/browserhost/*.cpp
    ${SOURCE_DIR}/tests/*.h ${SOURCE_DIR}/tests/*.cpp
    ${SOURCE_DIR}/bench/*.h ${SOURCE_DIR}/bench/*.cpp)
execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${files}
    RESULT_VARIABLE result ERROR_VARIABLE messages)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "Not formatted (run clang-format -i on these):\n${messages}")
endif()
