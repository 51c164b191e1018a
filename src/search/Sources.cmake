# Search and replace: engine and state in quoxa_core, dialogs in quoxa_gui.
target_sources(quoxa_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/DocSearchProgress.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QSearch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RegexEngine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RegexReplace.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RegexSearch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Replace.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SearchCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SearchEngine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SearchInput.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SearchState.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StringScan.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StringsList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StringsMode.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WindowFilter.cpp
)
if(QUOXA_BUILD_GUI)
  target_sources(quoxa_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/FormFind.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FormReplace.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FormStrings.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PickUpNextByte.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SearchDialogs.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SearchOptionsBox.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StringChoice.cpp
    ${CMAKE_CURRENT_LIST_DIR}/help/searchhelp.qrc
  )
endif()
