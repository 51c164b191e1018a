# Editor window and view: layout arithmetic, texts and document commands in
# quoxa_core; grids, scroll bar, window, menus and help in quoxa_gui.
target_sources(quoxa_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/DocumentCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridKeys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MenuRules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PendingCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RecoveryOffers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScrollBarModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SizeRequests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ViewTexts.cpp
)
if(QUOXA_BUILD_GUI)
  target_sources(quoxa_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/AppIcon.cpp
    ${CMAKE_CURRENT_LIST_DIR}/BookmarkMenu.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CompareGrid.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CompareView.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DocumentTabs.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FormAbout.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FormMain.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FormOpt.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GlyphRuns.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GridKeyBinding.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GridView.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HelpWindow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MainMenu.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MainWindowSettings.cpp
    ${CMAKE_CURRENT_LIST_DIR}/QZScrollBar.cpp
    ${CMAKE_CURRENT_LIST_DIR}/QZStrGrid.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StatusPanels.cpp
    ${CMAKE_CURRENT_LIST_DIR}/help/help.qrc
    ${CMAKE_CURRENT_LIST_DIR}/icons.qrc
  )
endif()
