// Writes the text output of a hex dump of a file, as the Print dialog's file output does:
//   quoxa_dump_text INPUT OUTPUT [BYTES_PER_ROW]
// For comparing the core's output path with other dump tools.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/DocState.h"
#include "core/FileIo.h"
#include "core/MemoryPolicy.h"
#include "print/DumpJob.h"
#include "print/PrintSettings.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s INPUT OUTPUT [BYTES_PER_ROW]\n", argv[0]);
    return 2;
  }
  const int32_t perRow = argc > 3 ? std::atoi(argv[3]) : 16;
  if (perRow < 1 || perRow > quoxa::kMaxDumpBytesPerRow) return 2;
  if (!quoxa::AllocDocument() || quoxa::ReadFileInto(argv[1], false, 1) != 0) return 1;
  const quoxa::TDumpRows rows({perRow, false, false});
  const quoxa::DumpResult result = quoxa::DumpToFile(argv[2], rows, {1, quoxa::Doc().DocSize}, argv[1]);
  if (result.outcome != quoxa::DumpOutcome::Done) {
    std::fprintf(stderr, "%s\n", quoxa::WriteErrorText(result.error, argv[2]).c_str());
    return 1;
  }
  return 0;
}
