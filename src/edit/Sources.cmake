# Pure C++ files go to quoxa_core; Qt files to quoxa_gui (inside if(QUOXA_BUILD_GUI)).
target_sources(quoxa_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/BlockCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InsertString.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MouseMarking.cpp
)
if(QUOXA_BUILD_GUI)
  target_sources(quoxa_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/BlockDialogs.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FormBlockN.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FormIns.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NumberChoice.cpp
    ${CMAKE_CURRENT_LIST_DIR}/help/blockhelp.qrc
  )
endif()
# Clipboard: formats, commands and the seam in quoxa_core, the desktop's clipboard in quoxa_gui.
target_sources(quoxa_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Clipboard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClipboardCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClipboardFormat.cpp
)
if(QUOXA_BUILD_GUI)
  target_sources(quoxa_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/QtClipboard.cpp
    ${CMAKE_CURRENT_LIST_DIR}/X11Selection.cpp
  )
  target_link_libraries(quoxa_gui PRIVATE PkgConfig::XCB)
endif()
# Addresses and bookmarks: arithmetic, the list and its file format in quoxa_core, dialogs in quoxa_gui.
target_sources(quoxa_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/BookmarkCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BookmarkFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GotoCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/JumpCommands.cpp
)
if(QUOXA_BUILD_GUI)
  target_sources(quoxa_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/FormGoto.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FormJump.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GotoDialogs.cpp
    ${CMAKE_CURRENT_LIST_DIR}/help/addresshelp.qrc
  )
endif()
