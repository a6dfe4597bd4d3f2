cmake_policy(SET CMP0057 NEW)
# Runs the layering check on the tree of cases/ and compares what it names with the faults
# planted there: every one must be named, and no allowed include with them.
set(expected
    "src/app/Start.cpp: #include \"cli/CliCommands.h\""
    "src/cli/Command.cpp: #include <QWidget>"
    "src/cli/Command.cpp: #include \"gui/common/Dialogs.h\""
    "src/core/Spaced.h: #  include <QWidget>"
    "src/core/Spaced.h:   #include \"data/db/TDM.h\""
    "src/core/Spaced.h: # include<QPainter>"
    "src/core/Spaced.h: #include <QtWidgets/QLabel>"
    "tools/docshots/main.cpp: #include \"cli/CliCommands.h\""
    "tools/guide/Check.cpp: #include <QSqlQuery>"
    "tools/guide/Check.cpp: #include \"core/common/Helpers.h\""
    "tools/mkdb/Rows.cpp: #include <QImage>"
    "tools/mkdb/Rows.cpp: #include \"render/plot/ChartPainter.h\""
    "tools/newtool: no rule says what it may include")

execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${CASES} "-DWIDGETS=${WIDGETS}" "-DGUI=${GUI}"
                        "-DSQL=${SQL}" -P ${CHECK}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(status EQUAL 0)
    message(FATAL_ERROR "The check passed a tree of faults:\n${out}${err}")
endif()

string(REPLACE "\n" ";" lines "${err}")
set(named)
foreach(line IN LISTS lines)
    if(line MATCHES "^layering: (.*)$")
        list(APPEND named "${CMAKE_MATCH_1}")
    endif()
endforeach()
set(missed)
foreach(problem IN LISTS expected)
    if(NOT problem IN_LIST named)
        list(APPEND missed "${problem}")
    endif()
endforeach()
set(extra)
foreach(problem IN LISTS named)
    if(NOT problem IN_LIST expected)
        list(APPEND extra "${problem}")
    endif()
endforeach()
if(missed OR extra)
    list(JOIN missed "\n  " missed_text)
    list(JOIN extra "\n  " extra_text)
    message(FATAL_ERROR "Not named:\n  ${missed_text}\nNamed wrongly:\n  ${extra_text}\n"
                        "Output:\n${err}")
endif()
message(STATUS "The check names each planted fault and nothing else.")
