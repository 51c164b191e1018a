# Document core: state, memory policy, primitives, file I/O, seams. Pure C++.
target_sources(quoxa_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/AtomicFileWriter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Block.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Busy.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ByteTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CodePage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ConversionUndo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DocState.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileIdentity.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileIo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileTime.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FreeMemory.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Help.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IoErrors.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Journal.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MemoryPolicy.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Messages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Navigation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PlatformFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Primitives.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Progress.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QZDynArray.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RecordMemory.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextFormat.cpp
  ${CMAKE_CURRENT_LIST_DIR}/View.cpp
)
