# selektor_add_test(<name> SOURCES <files...> LIBS <targets...> [LABELS <labels...>] [QT])
#
# Builds one test program and registers it with CTest. Every test runs with the offscreen Qt platform,
# a UTF-8 locale and a private HOME, so nothing on the developer's desktop leaks into a run. QT marks a
# Qt Test program (no GoogleTest main).
function(selektor_add_test name)
    cmake_parse_arguments(ARG "QT" "" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS})
    if(NOT ARG_QT)
        target_link_libraries(${name} PRIVATE GTest::gtest GTest::gtest_main)
    endif()
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    target_compile_definitions(${name} PRIVATE SELEKTOR_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
                                               SELEKTOR_DEFAULT_DATA_DIR="${PROJECT_SOURCE_DIR}/data"
                                               SELEKTOR_VERSION="${PROJECT_VERSION}")
    set(home ${CMAKE_CURRENT_BINARY_DIR}/${name}.home)
    file(MAKE_DIRECTORY ${home})
    add_test(NAME ${name} COMMAND ${name})
    if(NOT ARG_LABELS)
        set(ARG_LABELS unit)
    endif()
    set_tests_properties(${name} PROPERTIES
        LABELS "${ARG_LABELS}"
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8;LC_ALL=C.UTF-8;HOME=${home};XDG_RUNTIME_DIR=${home}"
        TIMEOUT 600)
endfunction()
