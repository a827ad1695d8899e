# Installs the build under a scratch prefix and checks the layout the README promises: the
# engines in bin/, each answering the protocol, and the tools in libexec/brusk/.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX}
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cmake --install failed (${rc})")
endif()
foreach(file bin/pbrain-brusk bin/pbrain-brusk-deep libexec/brusk/selfplay libexec/brusk/bench
             libexec/brusk/explain)
    if(NOT EXISTS ${PREFIX}/${file})
        message(FATAL_ERROR "${file} is not installed")
    endif()
endforeach()
file(WRITE ${PREFIX}/script "ABOUT\nEND\n")
execute_process(COMMAND ${PREFIX}/bin/pbrain-brusk INPUT_FILE ${PREFIX}/script
                OUTPUT_VARIABLE out)
if(NOT out MATCHES "^name=\"brusk\"")
    message(FATAL_ERROR "the installed engine answers ABOUT with '${out}'")
endif()
execute_process(COMMAND ${PREFIX}/bin/pbrain-brusk-deep INPUT_FILE ${PREFIX}/script
                OUTPUT_VARIABLE out)
if(NOT out MATCHES "^name=\"brusk-deep\"")
    message(FATAL_ERROR "the installed deep engine answers ABOUT with '${out}'")
endif()
