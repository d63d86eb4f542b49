# Runs one program and compares what it did with what was expected, exactly:
#   cmake -DWORKDIR=DIR -DCODE=N [-DSTDOUT=FILE] [-DSTDERR=FILE] -P expect_output.cmake
#         -- PROGRAM ARG...
# A missing STDOUT or STDERR file means that stream must stay empty.
set(command)
set(after_separator FALSE)
math(EXPR last "${CMAKE_ARGC} - 1")
foreach(i RANGE 1 ${last})
  if(after_separator)
    list(APPEND command "${CMAKE_ARGV${i}}")
  elseif(CMAKE_ARGV${i} STREQUAL "--")
    set(after_separator TRUE)
  endif()
endforeach()

execute_process(COMMAND ${command} WORKING_DIRECTORY ${WORKDIR}
  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)

if(NOT code STREQUAL CODE)
  message(SEND_ERROR "exit code ${code}, expected ${CODE}")
endif()
foreach(stream out err)
  string(TOUPPER "STD${stream}" file)
  set(expected "")
  if(DEFINED ${file})
    file(READ "${${file}}" expected)
  endif()
  if(NOT "${${stream}}" STREQUAL "${expected}")
    message(SEND_ERROR "std${stream} was:\n${${stream}}\nexpected:\n${expected}")
  endif()
endforeach()
