// What other programs put on the clipboard, read as the private format, as 8-bit and as Unicode
// text and as a hex string: never a crash or a read past the data; the private data decodes to
// exactly the bytes its header claims, text stops before its zero (Unicode text with one '?'
// for each character counted as missing), and a hex string parses back to the bytes it writes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "edit/ClipboardFormat.h"
#include "widgets/HexString.h"

using namespace quoxa;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);

  std::string decoded = input;
  std::string_view view;
  const bool decodes = DecodePrivate(input, view);
  if (decodes != DecodePrivate(decoded) || (decodes && view != decoded)) std::abort();
  if (decodes) {
    uint32_t claimed = 0;
    for (size_t i = 0; i < kPrivateHeaderSize; ++i) claimed |= uint32_t{data[i]} << (8 * i);
    if (decoded.size() != claimed || std::memcmp(decoded.data(), data + kPrivateHeaderSize, claimed) != 0) {
      std::abort();
    }
    const std::string again = EncodePrivate(reinterpret_cast<const uint8_t*>(decoded.data()), decoded.size());
    if (again.compare(0, again.size(), input, 0, again.size()) != 0) std::abort();
  } else if (size >= kPrivateHeaderSize) {
    uint32_t claimed = 0;
    for (size_t i = 0; i < kPrivateHeaderSize; ++i) claimed |= uint32_t{data[i]} << (8 * i);
    if (claimed <= size - kPrivateHeaderSize) std::abort();
  }

  const std::string_view eightBit = EightBitTextBytes(input);
  if (eightBit.find('\0') != std::string::npos || input.compare(0, eightBit.size(), eightBit) != 0)
    std::abort();
  int64_t missing = -1;
  const std::string text = UnicodeTextBytes(input, missing);
  if (text.find('\0') != std::string::npos || missing < 0 ||
      static_cast<size_t>(missing) > text.size())
    std::abort();
  if (static_cast<int64_t>(std::count(text.begin(), text.end(), '?')) < missing) std::abort();

  std::string bytes;
  if (ParseSeparatedHex(text, bytes)) {
    if (BytesToHexString(bytes, true).size() != text.size()) std::abort();
    std::string back;
    if (!ParseSeparatedHex(BytesToHexString(bytes, true), back) || back != bytes) std::abort();
  }
  return 0;
}
