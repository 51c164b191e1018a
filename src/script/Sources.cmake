# QUOXAscript: the interpreter, script files and batch-run rules in quoxa_core, the script
# window in quoxa_gui.
target_sources(quoxa_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ScriptFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScriptInterpreter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScriptParse.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScriptRun.cpp
)
if(QUOXA_BUILD_GUI)
  target_sources(quoxa_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/FormScript.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ScriptCommands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/help/scripthelp.qrc
  )
endif()
