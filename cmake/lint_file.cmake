# Runs a checker of the installed files (desktop-file-validate, appstreamcli, groff) on FILE and fails
# when it fails or, with -DQUIET=ON, when it says anything at all (groff only warns). When the
# checker is not installed the test prints "SKIPPED:", which ctest counts as skipped, not passed.
# -DCHECKER=program -DARGS="arg;arg;..." -DFILE=path [-DQUIET=ON]
find_program(checker ${CHECKER})
if(NOT checker)
    message("SKIPPED: ${CHECKER} is not installed")
    return()
endif()
if(NOT EXISTS "${FILE}")
    message(FATAL_ERROR "${FILE} does not exist")
endif()
execute_process(COMMAND ${checker} ${ARGS} ${FILE} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
string(STRIP "${out}${err}" said)
if(NOT status EQUAL 0 OR (QUIET AND NOT said STREQUAL ""))
    message(FATAL_ERROR "${CHECKER} ${ARGS} ${FILE} (exit status ${status}):\n${said}")
endif()
message(STATUS "${CHECKER}: ${FILE} passes ${said}")
