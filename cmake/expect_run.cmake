# Fails unless PROGRAM, run with ARGS, exits with STATUS and prints what OUT and ERR (regular
# expressions) expect on standard output and standard error: the command-line conventions of the
# game and the tool (--help on standard output with 0, a mistake's usage on standard error with 2).
# -DPROGRAM=... -DARGS="arg;arg;..." -DSTATUS=N -DOUT=regex -DERR=regex
execute_process(COMMAND ${PROGRAM} ${ARGS} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
set(problems "")
if(NOT status STREQUAL STATUS)
    string(APPEND problems "exit status ${status}, expected ${STATUS}\n")
endif()
if(NOT out MATCHES "${OUT}")
    string(APPEND problems "standard output does not match ${OUT}\n")
endif()
if(NOT err MATCHES "${ERR}")
    string(APPEND problems "standard error does not match ${ERR}\n")
endif()
if(NOT problems STREQUAL "")
    message(FATAL_ERROR "${PROGRAM} ${ARGS}:\n${problems}--- standard output:\n${out}--- standard error:\n${err}")
endif()
message(STATUS "as expected")
