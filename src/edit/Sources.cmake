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
