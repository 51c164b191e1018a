# Settings and persistence: INI store and option logic in quoxa_core, dialogs in quoxa_gui.
target_sources(quoxa_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/BlockColors.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChecksumChoice.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HistoryList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IniFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Options.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Placement.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RecentList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SearchSettings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SettingsPath.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShellLink.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StringsLength.cpp
)
if(QUOXA_BUILD_GUI)
  target_sources(quoxa_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/ColorCombo.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FormPlacement.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MRUFiles.cpp
    ${CMAKE_CURRENT_LIST_DIR}/QZHistoryBtn.cpp
  )
endif()
