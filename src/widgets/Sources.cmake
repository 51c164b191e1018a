# Component kit: hex strings, layout arithmetic and the rules of the input controls in quoxa_core,
# controls and dialogs in quoxa_gui.
target_sources(quoxa_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ByteEditRules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DialogLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileDialogRules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileListSort.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HexString.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IntegerText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NumEditModel.cpp
)
if(QUOXA_BUILD_GUI)
  target_sources(quoxa_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/CloseOnSignal.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DialogPlacement.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FileDialogs.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FixedFont.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FormOSE.cpp
    ${CMAKE_CURRENT_LIST_DIR}/InputBoxForm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ListChoiceForm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MessageForm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ModalFocus.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OseDirTree.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OseFileList.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProgressBoxForm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/QZByteEdit.cpp
    ${CMAKE_CURRENT_LIST_DIR}/QZNumEdit.cpp
    ${CMAKE_CURRENT_LIST_DIR}/QZRadioBtn.cpp
    ${CMAKE_CURRENT_LIST_DIR}/QtMessages.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ToolGlyphs.cpp
  )
endif()
