# Fails unless LIBRARY exports the dynamic symbol SYMBOL (as `nm -D` shows it).
execute_process(COMMAND nm -D --defined-only "${LIBRARY}"
    OUTPUT_VARIABLE symbols
    RESULT_VARIABLE result)

if(NOT result EQUAL 0)
    message(FATAL_ERROR "nm failed on ${LIBRARY}")
endif()

if(NOT symbols MATCHES "[ \t]T ${SYMBOL}\n")
    message(FATAL_ERROR "${LIBRARY} does not export ${SYMBOL}")
endif()
