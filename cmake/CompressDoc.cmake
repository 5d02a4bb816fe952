# Compresses a documentation file the way Debian ships them: gzip at its
# strongest, without the file's name or time in the header, so the result
# depends on the content alone.
#
#   cmake -DINPUT=<file> -DOUTPUT=<file.gz> -P CompressDoc.cmake

execute_process(COMMAND gzip -9nc "${INPUT}" OUTPUT_FILE "${OUTPUT}" RESULT_VARIABLE status)

if(NOT status EQUAL 0)
    file(REMOVE "${OUTPUT}")
    message(FATAL_ERROR "gzip could not compress ${INPUT}")
endif()
