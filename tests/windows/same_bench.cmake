# Runs the quick bench (levels 0 and 1) of the Linux and of the Windows build and fails
# unless their signatures (the Renju:, Bench: and Deep: lines) are equal. Windows ends its
# lines in CR LF.
foreach(build LINUX WINDOWS)
    execute_process(COMMAND ${${build}_BENCH} 1 OUTPUT_VARIABLE out RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "${${build}_BENCH} 1 failed (${rc}):\n${out}")
    endif()
    string(REPLACE "\r" "" out "${out}")
    string(STRIP "${out}" out)
    string(REGEX MATCHALL "(Renju|Bench|Deep): [^\n]*" last "${out}")
    set(${build}_last "${last}")
    message(STATUS "${build}: ${last}")
endforeach()
if(NOT LINUX_last STREQUAL WINDOWS_last)
    message(FATAL_ERROR "The Windows bench differs: '${WINDOWS_last}' != '${LINUX_last}'")
endif()
