# cmake -DCLANG_FORMAT=<program> -DSOURCE_DIR=<dir> -DMODE=fix|check -P FormatSources.cmake
#
# Runs clang-format over every .cpp and .h under src/, tests/, bench/ and fuzz/, found when it runs, so a
# new file is covered at once. MODE=fix rewrites the files; MODE=check names each file that is not
# formatted and fails.
set(sources)
foreach(folder src tests bench fuzz)
    file(GLOB_RECURSE found LIST_DIRECTORIES false RELATIVE ${SOURCE_DIR}
        ${SOURCE_DIR}/${folder}/*.cpp ${SOURCE_DIR}/${folder}/*.h)
    list(APPEND sources ${found})
endforeach()
list(SORT sources)
if(NOT sources)
    message(FATAL_ERROR "no sources found under ${SOURCE_DIR}")
endif()

if(MODE STREQUAL "fix")
    execute_process(COMMAND ${CLANG_FORMAT} -i ${sources} WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE result)
elseif(MODE STREQUAL "check")
    execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror --ferror-limit=1 ${sources}
        WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE result)
else()
    message(FATAL_ERROR "MODE must be fix or check")
endif()
if(NOT result EQUAL 0)
    if(MODE STREQUAL "check")
        message(FATAL_ERROR "clang-format 14 lays these files out differently (see above); "
                            "\"cmake --build <build folder> --target format\" reformats them")
    endif()
    message(FATAL_ERROR "clang-format failed: ${result}")
endif()
