// The hex lines reader on any bytes (DataImportFuzz.h says what it must hold).
#include "DataImportFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return quoxa::fuzz::ImportHolds(quoxa::TDataFormat::HexLines, data, size);
}
