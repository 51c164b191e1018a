#include "settings/Placement.h"

#include <algorithm>

#include "settings/IniFile.h"
#include "settings/SettingsPath.h"

namespace quoxa {

namespace {

int cascadeX = 0;
int cascadeY = 0;

std::string IniPath(const std::string& fileName) { return fileName.empty() ? SettingsFilePath() : fileName; }

}  // namespace

std::vector<int> ParseColumnWidths(const std::string& text, size_t maxCount) {
  std::vector<int> widths;
  size_t pos = 0;
  while (widths.size() < maxCount && pos <= text.size()) {
    size_t comma = text.find(',', pos);
    if (comma == std::string::npos) comma = text.size();
    const std::string item = text.substr(pos, comma - pos);
    if (item.empty() || item.size() > 6) break;
    int value = 0;
    for (char c : item) {
      if (c < '0' || c > '9') return widths;
      value = value * 10 + (c - '0');
    }
    if (value > kMaxColumnWidth) break;
    widths.push_back(value);
    pos = comma + 1;
  }
  return widths;
}

std::string FormatColumnWidths(const std::vector<int>& widths) {
  std::string text;
  for (size_t i = 0; i < widths.size(); ++i) {
    if (i > 0) text += ',';
    text += std::to_string(widths[i]);
  }
  return text;
}

void RestoreFormPlacement(IPlacedForm& form, const std::string& fileName) {
  const TIniFile ini(IniPath(fileName));
  const int screenWidth = form.ScreenWidth();
  const int screenHeight = form.ScreenHeight();
  if (ini.ReadInteger("display", "resx", 0) != screenWidth || ini.ReadInteger("display", "resy", 0) != screenHeight) {
    form.SetState(0);
    TRect bounds = form.Bounds();
    bounds.left = (screenWidth - bounds.width) / 2 + cascadeX;
    bounds.top = (screenHeight - bounds.height) / 2 + cascadeY;
    form.SetBounds(bounds);
    if (screenWidth > 0) cascadeX = (screenWidth / 50 + cascadeX) % screenWidth;
    if (screenHeight > 0) cascadeY = (screenHeight / 50 + cascadeY) % screenHeight;
    return;
  }
  const std::string section = form.SectionName();
  const int state = ini.ReadInteger(section, "WindowState", form.State());
  const TRect current = form.Bounds();
  TRect bounds;
  // Sizes from the file stay within the screen, so a damaged value cannot make a huge window.
  bounds.width = std::clamp(ini.ReadInteger(section, "Width", current.width), 1, std::max(1, screenWidth));
  bounds.height = std::clamp(ini.ReadInteger(section, "Height", current.height), 1, std::max(1, screenHeight));
  bounds.top = ini.ReadInteger(section, "Top", current.top);
  bounds.left = ini.ReadInteger(section, "Left", current.left);
  form.SetBounds(bounds);
  if (state >= 0 && state <= 2) form.SetState(state);

  for (auto& owner : form.ColumnOwners()) {
    if (owner->Tag() != 0) continue;
    const std::string text = ini.ReadString(section, owner->Name(), "");
    const auto widths = ParseColumnWidths(text, static_cast<size_t>(std::max(0, owner->ColumnCount())));
    for (size_t col = 0; col < widths.size(); ++col) owner->SetColumnWidth(static_cast<int>(col), widths[col]);
  }
}

bool SaveFormPlacement(IPlacedForm& form, const std::string& fileName) {
  TIniFile ini(IniPath(fileName));
  const std::string section = form.SectionName();
  const TRect bounds = form.Bounds();
  bool ok = ini.WriteInteger("display", "resx", form.ScreenWidth()) &&
            ini.WriteInteger("display", "resy", form.ScreenHeight()) &&
            ini.WriteInteger(section, "Top", bounds.top) && ini.WriteInteger(section, "Left", bounds.left) &&
            ini.WriteInteger(section, "WindowState", form.State());
  if (ok && form.Sizeable()) {
    ok = ini.WriteInteger(section, "Width", bounds.width) && ini.WriteInteger(section, "Height", bounds.height);
  }
  for (auto& owner : form.ColumnOwners()) {
    if (!ok) break;
    if (owner->Tag() != 0) continue;
    std::vector<int> widths;
    for (int col = 0; col < owner->ColumnCount(); ++col) widths.push_back(owner->ColumnWidth(col));
    ok = ini.WriteString(section, owner->Name(), FormatColumnWidths(widths));
  }
  return ok;
}

void ResetPlacementCascade() {
  cascadeX = 0;
  cascadeY = 0;
}

}  // namespace quoxa
