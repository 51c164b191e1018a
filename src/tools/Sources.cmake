# Pure C++ files go to quoxa_core; Qt files to quoxa_gui (inside if(QUOXA_BUILD_GUI)).
# Conversion tables, number codec, bit manipulation, the executable patch and checksums.
target_sources(quoxa_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/BitManipulation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ByteCompare.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ByteStatistics.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CompareCopy.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Checksum.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChecksumRun.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ConversionTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DataCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DataFiles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CursorValues.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DataModes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DataSettings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DiffMode.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ExePatch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ExportFormat.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FirmwareRecords.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HashMode.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImportImage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImportScan.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NumberCodec.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NumberCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PlotAxis.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SourceArrays.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TableCrc.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextCodecs.cpp
)
# Checksums: OpenSSL's digests, zlib's CRC-32 and Adler-32, ISA-L's CRC-32C, xxHash.
find_package(OpenSSL 3 REQUIRED COMPONENTS Crypto)
find_package(ZLIB REQUIRED)
find_package(PkgConfig REQUIRED)
pkg_check_modules(QUOXA_HASH_LIBS REQUIRED IMPORTED_TARGET libxxhash libisal)
target_link_libraries(quoxa_core PRIVATE OpenSSL::Crypto ZLIB::ZLIB PkgConfig::QUOXA_HASH_LIBS)
if(QUOXA_BUILD_GUI)
  target_sources(quoxa_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/ByteBarChart.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DataDialogs.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CursorValuesDock.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EntropyPlot.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FormBit.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FormChecksum.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FormCharTable.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FormDecode.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FormEncode.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FormEntropyMap.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FormExport.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FormImport.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FormStatistics.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StatisticsCommands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ToolDialogs.cpp
    ${CMAKE_CURRENT_LIST_DIR}/help/datahelp.qrc
    ${CMAKE_CURRENT_LIST_DIR}/help/numberhelp.qrc
  )
endif()
