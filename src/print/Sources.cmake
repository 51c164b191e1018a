# Printing: dump rows, ranges, the job loop, report arithmetic and settings in quoxa_core;
# the report engine on Qt PrintSupport, the Print dialog and the preview in quoxa_gui.
target_sources(quoxa_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/DumpFormat.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DumpJob.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PrintSettings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ReportRules.cpp
)
if(QUOXA_BUILD_GUI)
  target_sources(quoxa_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/FormPreview.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FormPrint.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PrintCommand.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PrinterList.cpp
    ${CMAKE_CURRENT_LIST_DIR}/QZReport.cpp
    ${CMAKE_CURRENT_LIST_DIR}/help/printhelp.qrc
  )
endif()
