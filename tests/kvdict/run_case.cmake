# Runs one kvdict case and compares its exit code, standard output and standard error byte
# for byte with the expected ones.
#   cmake -DKVDICT=... -DWORK=dir -DCASE=tests/kvdict/expected/NAME -DEXIT=n
#         [-DINPUTS=file;...] -DARGS=arg;... -P run_case.cmake
# WORK is emptied and INPUTS copied into it first when INPUTS is given; kvdict runs in WORK.
# An argument spells a byte as {xHH}: a text that is not UTF-8, or holds a control character.
# CASE.out and CASE.err hold the expected output (a missing file means no output at all).
if(DEFINED INPUTS)
  file(REMOVE_RECURSE "${WORK}")
  file(MAKE_DIRECTORY "${WORK}")
  file(COPY ${INPUTS} DESTINATION "${WORK}")
endif()

set(args)
foreach(arg IN LISTS ARGS)
  while(arg MATCHES "{x([0-9A-F][0-9A-F])}")
    math(EXPR code "0x${CMAKE_MATCH_1}")
    string(ASCII ${code} byte)
    string(REPLACE "{x${CMAKE_MATCH_1}}" "${byte}" arg "${arg}")
  endwhile()
  list(APPEND args "${arg}")
endforeach()

execute_process(COMMAND "${KVDICT}" ${args}
  WORKING_DIRECTORY "${WORK}"
  RESULT_VARIABLE code
  OUTPUT_VARIABLE out
  ERROR_VARIABLE err)

set(failed FALSE)
if(NOT code STREQUAL EXIT)
  message(SEND_ERROR "exit code ${code}, expected ${EXIT}")
  set(failed TRUE)
endif()
foreach(stream out err)
  set(expected "")
  if(EXISTS "${CASE}.${stream}")
    file(READ "${CASE}.${stream}" expected)
  endif()
  if(NOT "${${stream}}" STREQUAL "${expected}")
    message(SEND_ERROR "std${stream} differs:\n--- got\n${${stream}}--- expected\n${expected}---")
    set(failed TRUE)
  endif()
endforeach()
if(failed)
  message(FATAL_ERROR "kvdict ${ARGS}")
endif()
