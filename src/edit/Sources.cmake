# Pure C++ files go to quoxa_core; Qt files to quoxa_gui (inside if(QUOXA_BUILD_GUI)).
# Clipboard: formats, commands and the seam in quoxa_core, the desktop's clipboard in quoxa_gui.
target_sources(quoxa_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Clipboard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClipboardCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClipboardFormat.cpp
)
if(QUOXA_BUILD_GUI)
  target_sources(quoxa_gui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/QtClipboard.cpp)
endif()
