# SPDX-License-Identifier: GPL-3.0-or-later
# A page template holding a slot the build does not fill stops the page's
# build, naming the slot, and no page is written; the same template without
# the slot builds. Run by CTest in the web-test tree:
#   cmake -DNODE=... -DGENERATOR=generate_page.js -DTEMPLATE=page.html
#         -DINPUTS="FONT;ICON;WASM;SCRIPT" -DWORK_DIR=... -P stray_slot_test.cmake
foreach(name NODE GENERATOR TEMPLATE INPUTS WORK_DIR)
    if(NOT DEFINED ${name})
        message(FATAL_ERROR "stray_slot_test.cmake needs -D${name}=...")
    endif()
endforeach()

set(slot @STRAY_SLOT@)
file(READ ${TEMPLATE} html)
string(REPLACE "</body>" "<p>${slot}</p>\n</body>" stray "${html}")
if(stray STREQUAL html)
    message(FATAL_ERROR "${TEMPLATE} has no </body> to put ${slot} before")
endif()
file(MAKE_DIRECTORY ${WORK_DIR})
file(WRITE ${WORK_DIR}/stray_slot.html "${stray}")
file(REMOVE ${WORK_DIR}/page.html ${WORK_DIR}/stray_slot_page.html)

execute_process(COMMAND ${NODE} ${GENERATOR} page ${TEMPLATE} ${INPUTS} ${WORK_DIR}/page.html
    RESULT_VARIABLE result ERROR_VARIABLE error)
if(NOT result EQUAL 0 OR NOT EXISTS ${WORK_DIR}/page.html)
    message(FATAL_ERROR "the template itself did not build (${result}): ${error}")
endif()

execute_process(COMMAND ${NODE} ${GENERATOR} page ${WORK_DIR}/stray_slot.html ${INPUTS}
        ${WORK_DIR}/stray_slot_page.html
    RESULT_VARIABLE result ERROR_VARIABLE error)
if(result EQUAL 0 OR EXISTS ${WORK_DIR}/stray_slot_page.html)
    message(FATAL_ERROR "a template holding ${slot} built a page (${result}): ${error}")
endif()
string(FIND "${error}" "${slot}" named)
if(named EQUAL -1)
    message(FATAL_ERROR "the build stopped without naming ${slot}: ${error}")
endif()
message(STATUS "stopped as it should: ${error}")
