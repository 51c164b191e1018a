#include "settings/StringsLength.h"

#include "settings/IniFile.h"
#include "settings/SettingsPath.h"

namespace quoxa {

namespace {

constexpr const char* kSection = "Strings";
constexpr const char* kKey = "MinLength";

}  // namespace

int ReadStringsLength(int fallback) {
  const int32_t length = TIniFile(SettingsFilePath()).ReadInteger(kSection, kKey, fallback);
  return length >= kMinStringLength && length <= kMaxStringLength ? length : fallback;
}

bool WriteStringsLength(int length) {
  TIniFile ini(SettingsFilePath());
  return ini.WriteInteger(kSection, kKey, length);
}

}  // namespace quoxa
