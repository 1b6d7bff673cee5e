# Fails unless two runs of a program print the same on standard output (and both succeed): the
# tool's threaded commands must give the same table for any number of threads.
# -DPROGRAM=... -DFIRST="arg;arg;..." -DSECOND="arg;arg;..."
execute_process(COMMAND ${PROGRAM} ${FIRST} OUTPUT_VARIABLE first RESULT_VARIABLE first_status)
execute_process(COMMAND ${PROGRAM} ${SECOND} OUTPUT_VARIABLE second RESULT_VARIABLE second_status)
if(NOT first_status EQUAL 0 OR NOT second_status EQUAL 0)
    message(FATAL_ERROR "a run failed: ${first_status} / ${second_status}")
endif()
if(first STREQUAL "")
    message(FATAL_ERROR "nothing printed by ${FIRST}")
endif()
if(NOT first STREQUAL second)
    message(FATAL_ERROR "the outputs differ:\n${FIRST}:\n${first}\n${SECOND}:\n${second}")
endif()
message(STATUS "same output")
