# Settings and persistence: INI store and option logic in quoxa_core, dialogs in quoxa_gui.
target_sources(quoxa_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Options.cpp
)
