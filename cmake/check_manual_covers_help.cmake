# Fails when the manual page PAGE leaves out a command or an option that PROGRAM --help lists: the
# pages are written by hand, and this keeps them from falling behind the programs.
# -DPROGRAM=path -DPAGE=path/to/page.6
execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} --help exited with ${status}")
endif()
file(READ "${PAGE}" page)
# In roff a minus sign is written \-, and fonts change with \fB, \fI, \fR, \fP.
string(REPLACE "\\-" "-" page "${page}")
string(REGEX REPLACE "\\\\f[BIRP]" "" page "${page}")

# The long options (--dir, --seed, ...) and, for the tool, the commands: each listed entry begins
# with two spaces and the command's name.
string(REGEX MATCHALL "--[a-z]+" wanted "${help}")
string(REGEX MATCHALL "\n  [a-z]+[ \n]" commands "${help}")
foreach(c IN LISTS commands)
    string(STRIP "${c}" c)
    list(APPEND wanted "${c}")
endforeach()
list(REMOVE_DUPLICATES wanted)
list(LENGTH wanted count)
if(count LESS 2)
    message(FATAL_ERROR "${PROGRAM} --help lists almost nothing:\n${help}")
endif()

set(missing "")
foreach(w IN LISTS wanted)
    # A command heads its own entry (".B sim", ".BI \"catalogue \" ..."); an option appears anywhere.
    if(w MATCHES "^--")
        string(FIND "${page}" "${w}" at)
    else()
        string(REGEX MATCH "\n\\.BI? \"?${w}[ \"\n]" at "${page}")
        if(at STREQUAL "")
            set(at -1)
        endif()
    endif()
    if(at EQUAL -1)
        list(APPEND missing "${w}")
    endif()
endforeach()
if(missing)
    list(JOIN missing ", " named)
    message(FATAL_ERROR "${PAGE} does not tell: ${named}")
endif()
message(STATUS "${PAGE} tells all ${count} commands and options of ${PROGRAM} --help")
