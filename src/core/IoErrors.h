#pragma once
// The program's table of I/O error texts, shown under "Error reading"/"Error writing".

#include <string>

namespace quoxa {

// The text of an I/O error number; empty for numbers without an entry and above 219.
std::string IoErrorText(int number);

// "Error " + number + ": " + text.
std::string IoErrorLine(int number);

}  // namespace quoxa
