# Component kit: hex strings and the rules of the input controls in quoxa_core, controls and dialogs in quoxa_gui.
target_sources(quoxa_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ByteEditRules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HexString.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NumEditModel.cpp
)
if(QUOXA_BUILD_GUI)
  target_sources(quoxa_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/FileDialogs.cpp
    ${CMAKE_CURRENT_LIST_DIR}/QZByteEdit.cpp
    ${CMAKE_CURRENT_LIST_DIR}/QZNumEdit.cpp
    ${CMAKE_CURRENT_LIST_DIR}/QZRadioBtn.cpp
  )
endif()
