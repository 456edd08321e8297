# cmake -DSOURCE_DIR=<dir> -P CheckRepositoryPaths.cmake
#
# Everything the build, the scripts, the tests and the benchmarks read must be inside the repository, so
# that a clone in any folder builds and passes its tests. This names every build, script or source file
# that names a path outside it, and fails:
#   - the folder beside the repository that the project's own machines have and a clone does not;
#   - absolute paths into home or work folders;
#   - relative paths whose ".." climb above the repository's root, counted from the file's own folder
#     (or from the root after ${PROJECT_SOURCE_DIR} and ${CMAKE_SOURCE_DIR}).
# .ci/run alone may name the folder beside the repository: it runs the set-up check kept there.
cmake_policy(SET CMP0007 NEW)
if(NOT IS_DIRECTORY "${SOURCE_DIR}")
    message(FATAL_ERROR "SOURCE_DIR must name the repository's root")
endif()

set(files)
foreach(folder src tests bench fuzz tools scripts cmake packaging .ci)
    file(GLOB_RECURSE found LIST_DIRECTORIES false RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${folder}/*)
    list(APPEND files ${found})
endforeach()
file(GLOB top LIST_DIRECTORIES false RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*)
list(APPEND files ${top})
# Data is not read as paths: the tests' data, the fuzzers' seeds, pictures.
list(FILTER files EXCLUDE REGEX "^(tests/data|fuzz/corpus)/|\\.(png|svg|wav|csv|dat|md)$|^LICENSE$")
list(FILTER files EXCLUDE REGEX "^\\.ci/run$|^\\.git$")
list(SORT files)

# The pieces are put together here so that this file does not name what it looks for.
set(up "\\.\\.")
set(beside "${up}/+sha[r]ed([/\"' ]|$)")
set(absolute "(^|[^A-Za-z0-9_.$}])/(wor[k]|hom[e]|roo[t])/")

set(offences)
foreach(file ${files})
    get_filename_component(folder ${file} DIRECTORY)
    set(depth 0)
    if(folder)
        string(REPLACE "/" ";" parts "${folder}")
        list(LENGTH parts depth)
    endif()
    file(STRINGS ${SOURCE_DIR}/${file} lines)
    set(number 0)
    foreach(line IN LISTS lines)
        math(EXPR number "${number} + 1")
        if(line MATCHES "${beside}" OR line MATCHES "${absolute}")
            list(APPEND offences "${file}:${number}: ${line}")
            continue()
        endif()
        if(NOT line MATCHES "${up}")
            continue()
        endif()
        # Each path-like word holding "..": walk it from where it starts.
        string(REGEX MATCHALL "[^ \t\"'(<>=,;]*${up}[^ \t\"'(<>=,;]*" words "${line}")
        foreach(word IN LISTS words)
            if(word MATCHES "^\\$\\{(PROJECT|CMAKE)_SOURCE_DIR\\}/(.*)$")
                set(level 0)
                set(path "${CMAKE_MATCH_2}")
            elseif(word MATCHES "^\\$\\{CMAKE_CURRENT_(SOURCE|LIST)_DIR\\}/(.*)$" OR word MATCHES "^\\)/(.*)$")
                # ")/.." is the end of a script's $(dirname "$0")/..: its own folder.
                set(level ${depth})
                string(REGEX REPLACE "^(\\$\\{[A-Z_]+\\}|\\))/" "" path "${word}")
            elseif(word MATCHES "^(\\.\\./|\\.\\.$|\\./)")
                set(level ${depth})
                set(path "${word}")
            else()
                # Anything else starts somewhere this cannot know (another variable, a URL, a text).
                continue()
            endif()
            string(REPLACE "/" ";" steps "${path}")
            foreach(step IN LISTS steps)
                if(step STREQUAL "..")
                    math(EXPR level "${level} - 1")
                elseif(NOT step STREQUAL "." AND NOT step STREQUAL "")
                    math(EXPR level "${level} + 1")
                endif()
                if(level LESS 0)
                    list(APPEND offences "${file}:${number}: ${line}")
                    break()
                endif()
            endforeach()
        endforeach()
    endforeach()
endforeach()

if(offences)
    list(JOIN offences "\n" text)
    message(FATAL_ERROR "These lines name a path outside the repository, which a clone elsewhere does not have:\n"
                        "${text}")
endif()
list(LENGTH files count)
message(STATUS "${count} files name no path outside the repository")
