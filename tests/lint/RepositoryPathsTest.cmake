# cmake -DCHECK=<CheckRepositoryPaths.cmake> -DWORK_DIR=<scratch folder> -P RepositoryPathsTest.cmake
#
# The check of paths outside the repository, tried on scratch repositories: each way out is caught, and
# the ways that stay inside pass. The offending texts are put together from pieces, so this file names
# none of them itself.
set(up "..")
set(beside "sha")
set(work "/wo")
set(number 0)

function(try expected file text)
    math(EXPR number "${number} + 1")
    set(number ${number} PARENT_SCOPE)
    set(root ${WORK_DIR}/case${number})
    file(REMOVE_RECURSE ${root})
    file(WRITE ${root}/${file} "${text}\n")
    execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${root} -P ${CHECK}
        RESULT_VARIABLE result OUTPUT_QUIET ERROR_QUIET)
    if(expected STREQUAL "caught" AND result EQUAL 0)
        message(SEND_ERROR "not caught: ${file}: ${text}")
    elseif(expected STREQUAL "passes" AND NOT result EQUAL 0)
        message(SEND_ERROR "refused although inside: ${file}: ${text}")
    endif()
endfunction()

try(caught CMakeLists.txt "set(data \${CMAKE_CURRENT_SOURCE_DIR}/${up}/${beside}red/data)")
try(caught bench/CMakeLists.txt "add_compile_definitions(DIR=\"\${PROJECT_SOURCE_DIR}/${up}/data\")")
try(caught tests/x/CMakeLists.txt "include(${up}/${up}/${up}/outside.cmake)")
try(caught scripts/run.sh "cd \"$(dirname \"$0\")/${up}/${up}\"")
try(caught src/core/Files.cpp "const char* data = \"${work}rk/main/data\"")
try(passes tests/x/CMakeLists.txt "include(${up}/${up}/cmake/Inside.cmake)")
try(passes scripts/run.sh "cd \"$(dirname \"$0\")/${up}\"")
try(passes src/core/Files.cpp "#include \"${up}/core/Files.h\"")
