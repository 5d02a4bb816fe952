# Fails unless LIBRARY exports the dynamic function SYMBOL (as `nm -D` shows
# it). With ONLY set, every other exported symbol fails it too.
execute_process(COMMAND nm -D --defined-only "${LIBRARY}"
    OUTPUT_VARIABLE symbols
    RESULT_VARIABLE result)

if(NOT result EQUAL 0)
    message(FATAL_ERROR "nm failed on ${LIBRARY}")
endif()

if(NOT symbols MATCHES "[ \t]T ${SYMBOL}\n")
    message(FATAL_ERROR "${LIBRARY} does not export ${SYMBOL}")
endif()

if(ONLY)
    string(REGEX REPLACE "[^\n]*[ \t]T ${SYMBOL}\n" "" others "${symbols}")

    if(NOT others STREQUAL "")
        message(FATAL_ERROR "${LIBRARY} exports more than ${SYMBOL}:\n${others}")
    endif()
endif()
