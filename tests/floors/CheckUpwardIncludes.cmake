# Builds every probe of the floor test: each compiles, on one floor, a
# source that includes a header of the floor above it, and must fail
# because that header is not found there.
#
#   cmake -DBUILD_DIR=... -DPROBES="target|header;..." -P CheckUpwardIncludes.cmake
foreach(probe IN LISTS PROBES)
    string(REPLACE "|" ";" parts "${probe}")
    list(GET parts 0 target)
    list(GET parts 1 header)
    execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target ${target}
                    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(result EQUAL 0)
        message(FATAL_ERROR "${target} built although it includes ${header}, a header of a higher floor")
    endif()
    if(NOT output MATCHES "${header}: No such file")
        message(FATAL_ERROR "${target} failed, but not for its upward include:\n${output}")
    endif()
    message(STATUS "${target}: ${header} not found, as it must be")
endforeach()
