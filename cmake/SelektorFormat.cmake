# One layout for all the code: clang-format 14 reading .clang-format (another version lays some lines
# out differently). "cmake --build <dir> --target format" reformats every .cpp and .h under src/, tests/,
# bench/ and fuzz/ in place; the test "format" (label lint) fails on any of them that is not formatted.
if(SELEKTOR_BUILD_TESTS)
    find_program(SELEKTOR_CLANG_FORMAT NAMES clang-format-14 REQUIRED)
else()
    find_program(SELEKTOR_CLANG_FORMAT NAMES clang-format-14)
endif()

if(SELEKTOR_CLANG_FORMAT)
    set(format_script ${CMAKE_CURRENT_LIST_DIR}/FormatSources.cmake)
    set(format_args -DCLANG_FORMAT=${SELEKTOR_CLANG_FORMAT} -DSOURCE_DIR=${PROJECT_SOURCE_DIR})
    add_custom_target(format
        COMMAND ${CMAKE_COMMAND} ${format_args} -DMODE=fix -P ${format_script}
        COMMENT "Formatting the sources with clang-format 14"
        VERBATIM)
    if(SELEKTOR_BUILD_TESTS)
        add_test(NAME format COMMAND ${CMAKE_COMMAND} ${format_args} -DMODE=check -P ${format_script})
        set_tests_properties(format PROPERTIES LABELS lint TIMEOUT 300)
    endif()
endif()
