# Writes a program's man page from its own --help and --version, so that the page always says
# what the program says. Run as a script:
#   cmake -DPROGRAM=path/to/kvdict -DNAME=kvdict -DSUMMARY="..." -DSEE_ALSO=kavivani
#         -DOUTPUT=kvdict.1 -P man_page.cmake
# When --help lists subcommands (a "commands:" heading followed by indented "  NAME  summary"
# lines), each subcommand's own --help becomes a subsection of COMMANDS.

function(run_program out)
  execute_process(COMMAND ${PROGRAM} ${ARGN}
    RESULT_VARIABLE code OUTPUT_VARIABLE text ERROR_VARIABLE errors)
  if(NOT code EQUAL 0 OR text STREQUAL "")
    message(FATAL_ERROR "${NAME} ${ARGN} failed (${code}): ${errors}")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Text shown as it stands: roff escapes for backslashes and hyphens, and lines that would
# start with a control character protected.
function(verbatim out text)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  set(${out} ".nf\n${text}.fi\n" PARENT_SCOPE)
endfunction()

run_program(help --help)
run_program(version --version)
string(STRIP "${version}" version)
string(TOUPPER "${NAME}" title)
string(REGEX MATCH "usage: ([^\n]*)" usage "${help}")
if(usage STREQUAL "")
  message(FATAL_ERROR "${NAME} --help has no usage line")
endif()
string(REPLACE "-" "\\-" synopsis "${CMAKE_MATCH_1}")
string(REPLACE "-" "\\-" summary "${SUMMARY}")

verbatim(description "${help}")
set(page ".TH ${title} 1 \"\" \"${version}\" \"User Commands\"\n")
string(APPEND page ".SH NAME\n${NAME} \\- ${summary}\n")
string(APPEND page ".SH SYNOPSIS\n.B ${synopsis}\n")
string(APPEND page ".SH DESCRIPTION\n${description}")

string(REGEX MATCH "\ncommands:\n(  [^\n]*\n)+" commands "${help}")
string(REGEX MATCHALL "\n  [a-z]+" commands "${commands}")
if(commands)
  string(APPEND page ".SH COMMANDS\n")
  foreach(command IN LISTS commands)
    string(STRIP "${command}" command)
    run_program(command_help ${command} --help)
    verbatim(command_text "${command_help}")
    string(APPEND page ".SS ${command}\n${command_text}")
  endforeach()
endif()

string(APPEND page ".SH SEE ALSO\n.BR ${SEE_ALSO} (1)\n")
file(WRITE "${OUTPUT}" "${page}")
