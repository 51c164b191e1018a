# Pure C++ files go to quoxa_core; Qt files to quoxa_gui (inside if(QUOXA_BUILD_GUI)).
target_sources(quoxa_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ConversionTable.cpp
)
if(QUOXA_BUILD_GUI)
  target_sources(quoxa_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/FormCharTable.cpp
  )
endif()
