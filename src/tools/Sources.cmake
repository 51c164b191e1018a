# Pure C++ files go to quoxa_core; Qt files to quoxa_gui (inside if(QUOXA_BUILD_GUI)).
# Conversion tables, number codec, bit manipulation and the executable patch.
target_sources(quoxa_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/BitManipulation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ConversionTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DataInspector.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ExePatch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NumberCodec.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NumberCommands.cpp
)
if(QUOXA_BUILD_GUI)
  target_sources(quoxa_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/DockInspector.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FormBit.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FormCharTable.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FormDecode.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FormEncode.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ToolDialogs.cpp
    ${CMAKE_CURRENT_LIST_DIR}/help/numberhelp.qrc
  )
endif()
