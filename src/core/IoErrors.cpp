#include "core/IoErrors.h"

#include <algorithm>
#include <iterator>

namespace quoxa {

namespace {

struct IoErrorEntry {
  int number;
  const char* text;
};

// Sorted by number.
constexpr IoErrorEntry kIoErrors[] = {
    {1, "Invalid DOS function number"},
    {2, "File not found"},
    {3, "Path not found"},
    {4, "Too many open files"},
    {5, "File access denied"},
    {6, "Invalid file handle"},
    {7, "Memory control blocks destroyed"},
    {8, "Insufficient DOS memory"},
    {9, "Invalid memory block address"},
    {10, "Invalid DOS environment"},
    {11, "Invalid format (DOS)"},
    {12, "Invalid file access code"},
    {13, "Invalid data (DOS)"},
    {15, "Invalid drive number"},
    {16, "Cannot remove current directory"},
    {17, "Cannot rename across drives"},
    {18, "No more files"},
    {19, "Disk write-protected"},
    {20, "Unknown unit (DOS)"},
    {21, "Drive not ready"},
    {22, "Unknown DOS command"},
    {23, "CRC error"},
    {24, "Bad request structure length"},
    {25, "Seek error"},
    {26, "Unknown media type"},
    {27, "Disk sector not found"},
    {28, "Out of paper"},
    {29, "Write fault"},
    {30, "Read fault"},
    {31, "General failure"},
    {32, "File sharing violation"},
    {33, "File lock violation"},
    {34, "Invalid disk change"},
    {35, "File control block unavailable"},
    {36, "Sharing buffer overflow"},
    {37, "Code page mismatch"},
    {38, "Error handling EOF"},
    {39, "Handle disk full"},
    {50, "Network request not supported"},
    {51, "Remote computer not listening"},
    {52, "Duplicate name on network"},
    {53, "Network name not found"},
    {54, "Network busy"},
    {55, "Network device no longer exists"},
    {56, "NetBIOS command limit exceeded"},
    {57, "Network adaptor error"},
    {58, "Incorrect network response"},
    {59, "Unexpected network error"},
    {60, "Incompatible remote adaptor"},
    {61, "Print queue full"},
    {62, "Not enough space for print file"},
    {63, "Print file deleted"},
    {64, "Network name deleted"},
    {65, "Access denied"},
    {66, "Network device type incorrect"},
    {67, "Network name not found"},
    {68, "Network name limit exceeded"},
    {69, "NetBIOS session limit exceeded"},
    {70, "Temporarily paused"},
    {71, "Network request not accepted"},
    {72, "Print/disk redirection paused"},
    {80, "File already exists"},
    {82, "Cannot make directory entry"},
    {83, "Fail on interrupt 24"},
    {84, "Too many redirections"},
    {85, "Duplicate redirection"},
    {86, "Invalid password"},
    {87, "Invalid parameter"},
    {88, "Network data fault"},
    {100, "Disk read error"},
    {101, "Disk write error"},
    {102, "File not assigned"},
    {103, "File not open"},
    {104, "File not open for input"},
    {105, "File not open for output"},
    {106, "Invalid numeric format"},
    {112, "Disk full"},
    {150, "Disk is write protected"},
    {151, "Unknown unit"},
    {152, "Drive not ready"},
    {153, "Unknown DOS command"},
    {154, "CRC error in data"},
    {155, "Bad drive request struct length"},
    {156, "Disk seek error"},
    {157, "Unknown media type"},
    {158, "Sector not found"},
    {159, "Printer out of paper"},
    {160, "Device write fault"},
    {161, "Device read fault"},
    {162, "Hardware failure"},
    {200, "Division by zero"},
    {201, "Range check error"},
    {202, "Stack overflow error"},
    {203, "Heap overflow error"},
    {204, "Invalid pointer operation"},
    {205, "Floating point overflow"},
    {206, "Floating point underflow"},
    {207, "Invalid floating pt. operation"},
    {208, "Overlay manager not installed"},
    {209, "Overlay file read error"},
    {210, "Object not initialised"},
    {211, "Call to abstract method"},
    {212, "Stream registration error"},
    {213, "TCollection index out of range"},
    {214, "TCollection overflow error"},
    {215, "Arithmetic overflow error"},
    {216, "General Protection Fault"},
    {217, "Unhandled exception"},
    {219, "Invalid typecast"},
};

}  // namespace

std::string IoErrorText(int number) {
  const auto* end = std::end(kIoErrors);
  const auto* it = std::lower_bound(std::begin(kIoErrors), end, number,
                                    [](const IoErrorEntry& e, int n) { return e.number < n; });
  return it != end && it->number == number ? it->text : "";
}

std::string IoErrorLine(int number) { return "Error " + std::to_string(number) + ": " + IoErrorText(number); }

}  // namespace quoxa
