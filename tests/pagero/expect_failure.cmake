# cmake -DTOOL=... -DARGS="a;b" -P expect_failure.cmake: the tool must end with status 1 and a
# message on standard error (a crash or any other status fails the test).
separate_arguments(ARG_LIST UNIX_COMMAND "${ARGS}")
execute_process(COMMAND ${TOOL} ${ARG_LIST} RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc STREQUAL "1" OR err STREQUAL "")
    message(FATAL_ERROR "expected status 1 with a message, got '${rc}': ${err}")
endif()
message(STATUS "status 1: ${err}")
