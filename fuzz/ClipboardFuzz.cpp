// What other programs put on the clipboard, read as the private format, as text and as a
// hex string: never a crash or a read past the data; the private data decodes to exactly the
// bytes its header claims, and a hex string parses back to the bytes it writes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "edit/ClipboardFormat.h"
#include "widgets/HexString.h"

using namespace quoxa;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);

  std::string decoded = input;
  if (DecodePrivate(decoded)) {
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

  const std::string text = ClipboardTextBytes(input);
  if (text.find('\0') != std::string::npos) std::abort();

  std::string bytes;
  if (ParseSeparatedHex(text, bytes)) {
    if (BytesToHexString(bytes, true).size() != text.size()) std::abort();
    std::string back;
    if (!ParseSeparatedHex(BytesToHexString(bytes, true), back) || back != bytes) std::abort();
  }
  return 0;
}
