# Fails the build when the merge program outgrows the room a self-merging
# file keeps for it: cmake -DFILE=<program> -DLIMIT=<bytes> -P CheckSize.cmake
file(SIZE "${FILE}" size)
if(size GREATER LIMIT)
  message(FATAL_ERROR "${FILE} is ${size} bytes, more than the ${LIMIT} bytes a self-merging file keeps for it")
endif()
message(STATUS "merge program: ${size} of ${LIMIT} bytes")
