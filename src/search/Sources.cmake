# Search and replace: engine and state in quoxa_core, dialogs in quoxa_gui.
target_sources(quoxa_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/DocSearchProgress.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QSearch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SearchEngine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SearchState.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WindowFilter.cpp
)
