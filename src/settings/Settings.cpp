#include "settings/Settings.h"

#include <algorithm>
#include <cstdio>

#include "core/DocState.h"
#include "core/Journal.h"
#include "core/Messages.h"
#include "core/TextFormat.h"
#include "settings/IniFile.h"
#include "settings/Options.h"
#include "settings/SearchSettings.h"
#include "settings/SettingsPath.h"
#include "settings/SettingsTexts.h"

namespace quoxa {

namespace {

constexpr const char* kOptions = "Options";
constexpr const char* kDisplay = "display";
constexpr const char* kMainSection = "TFormMain";
constexpr int kDefaultJoker = 0x2E;
constexpr int32_t kMaxUndoLimitMB = 1 << 20;

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// An index read from the file; values outside the list fall back.
int32_t ReadChoice(const TIniFile& ini, const char* key, int32_t fallback, int32_t count) {
  const int32_t value = ini.ReadInteger(kOptions, key, fallback);
  return value >= 0 && value < count ? value : fallback;
}

int Clamp(int value, int low, int high) { return std::clamp(value, low, std::max(low, high)); }

// Writes keys in order until the first failure; later keys are left alone.
class OrderedWriter {
 public:
  explicit OrderedWriter(TIniFile& ini) : ini_(ini) {}
  void Int(const char* section, const char* key, int32_t value) {
    if (ok_) ok_ = ini_.WriteInteger(section, key, value);
  }
  void Bool(const char* section, const char* key, bool value) {
    if (ok_) ok_ = ini_.WriteBool(section, key, value);
  }
  void Str(const char* section, const char* key, const std::string& value) {
    if (ok_) ok_ = ini_.WriteString(section, key, value);
  }
  bool Ok() const { return ok_; }

 private:
  TIniFile& ini_;
  bool ok_ = true;
};

}  // namespace

int JokerByteFromText(const std::string& text) {
  if (text.size() < 2) return kDefaultJoker;
  const int high = HexDigit(text[0]);
  const int low = HexDigit(text[1]);
  if (high < 0 || low < 0) return kDefaultJoker;
  return high * 16 + low;
}

void ReadSettings(ISettingsWindow& window) {
  // The file is read once for all keys.
  const TIniBatch reading(SettingsFilePath());
  const TIniFile ini(SettingsFilePath());
  TOptions& options = Options();
  SearchState& search = Search();

  options.TextGridLeft = ini.ReadBool(kOptions, "TextGridLeft", false);
  window.PlaceGrids();

  const bool displayMatches = ini.ReadInteger(kDisplay, "resx", 0) == window.ScreenWidth() &&
                              ini.ReadInteger(kDisplay, "resy", 0) == window.ScreenHeight() &&
                              ini.ReadInteger(kDisplay, "ppi", 0) == window.ScreenPpi();
  int cols = kDefaultCols;
  int rows = kDefaultRows;
  int fontSize = 0;
  if (displayMatches) {
    const int top = ini.ReadInteger(kMainSection, "Top", window.WindowTop());
    const int left = ini.ReadInteger(kMainSection, "Left", window.WindowLeft());
    window.MoveWindow(left, top, ini.ReadInteger(kMainSection, "FrameLeft", 0),
                      ini.ReadInteger(kMainSection, "FrameTop", 0));
    const int state = ini.ReadInteger(kMainSection, "WindowState", 0);
    if (state == 0 || state == 2) window.SetWindowState(state);
    cols = ini.ReadInteger(kOptions, "Cols", kDefaultCols);
    rows = ini.ReadInteger(kOptions, "Rows", kDefaultRows);
    fontSize = ini.ReadInteger(kOptions, "FontSize", 8);
  }

  options.Font = ini.ReadString(kOptions, "Font", kDefaultFont);
  if (options.Font.empty()) options.Font = kDefaultFont;
  options.HideToolBar = ini.ReadBool(kOptions, "HideToolBar", false);
  options.HideAddressRange = ini.ReadBool(kOptions, "HideAddressRange", false);
  window.SetToolBarHidden(options.HideToolBar, false);
  window.SetAddressColumnHidden(options.HideAddressRange, false);

  window.ApplyFont(options.Font);
  if (displayMatches) window.ApplyFontSize(std::clamp(fontSize, kMinFontSize, kMaxFontSize));
  // Values from the file are untrusted: the layout stays within what the screen holds.
  cols = Clamp(cols, kMinGridCells, window.MaxGridCols());
  rows = Clamp(rows, kMinGridCells, window.MaxGridRows());
  window.SetGridSize(cols, rows);
  options.Cols = cols;
  options.Rows = rows;
  options.FontSize = window.FontSize();

  if (!displayMatches) {
    window.MoveWindow((window.ScreenWidth() - window.WindowWidth()) / 2,
                      (window.ScreenHeight() - window.WindowHeight()) / 2, 0, 0);
  }

  options.ByteOrder = ReadChoice(ini, "ByteOrder", 0, 2);
  options.ColorBlock = static_cast<uint32_t>(ini.ReadInteger(kOptions, "ColorBlock", 255));
  options.ColorDifference = static_cast<uint32_t>(ini.ReadInteger(kOptions, "ColorDifference", 0x0080FF));
  search.JokerByte = static_cast<uint8_t>(JokerByteFromText(ini.ReadString(kOptions, "JokerHex", "2E")));
  options.FindHex = ini.ReadBool(kOptions, "FindHex", true);
  options.ReplaceHex = ini.ReadBool(kOptions, "ReplaceHex", true);
  options.InsHex = ini.ReadBool(kOptions, "InsHex", false);
  search.CaseSensitive = ini.ReadBool(kOptions, "CaseSensitive", true);
  search.JokerEnabled = ini.ReadBool(kOptions, "JokerFind", false);
  search.RegexEnabled = ini.ReadBool(kOptions, "RegularExpression", false);
  search.SearchDown = ini.ReadBool(kOptions, "FindDown", true);
  options.GotoMode = ReadChoice(ini, "GotoMode", 0, 3);
  options.EncodeAs = ReadChoice(ini, "EncodeAs", 0, 7);
  options.EncodeWhere = ReadChoice(ini, "EncodeWhere", 0, 3);
  Doc().BaseAddress = ReadChoice(ini, "BaseAdress", 0, 2);
  options.OldFileTime = ini.ReadBool(kOptions, "OldFileTime", false);
  options.NewEOF = ini.ReadBool(kOptions, "NewEOF", false);
  // 0 turns the undo journal off; a value below that is no value.
  const int32_t undoDefault = TOptions{}.UndoLimitMB;
  const int32_t undoLimit = ini.ReadInteger(kOptions, "UndoLimitMB", undoDefault);
  options.UndoLimitMB = undoLimit < 0 ? undoDefault : std::min(undoLimit, kMaxUndoLimitMB);
  Doc().Journal.SetBudget(int64_t{options.UndoLimitMB} << 20);
  options.CurrentDir = ini.ReadString(kOptions, "CurrentDir", HomeDirectory());

  window.SetOverwriteMode(ini.ReadBool(kOptions, "Overwrite", true));
  window.SetTextMode(ini.ReadBool(kOptions, "ModusText", true));

  search.FromCursor = ini.ReadBool(kOptions, "Scope", true);
  options.ConvTable = ini.ReadString(kOptions, "ConvTable", "");

  if (options.ConvTable.empty()) {
    window.UseBuiltinConversionTable();
  } else if (!window.LoadConversionTable(options.ConvTable)) {
    ShowError(FormatMsgS(msg::kErrorReadingFile, FileNameOnly(options.ConvTable)));
    options.ConvTable.clear();
    window.UseBuiltinConversionTable();
  }
}

bool WriteSettings(const ISettingsWindow& window) {
  // One replacement of the file for all keys (joining a batch the caller opened).
  TIniBatch batch(SettingsFilePath());
  TIniFile ini(SettingsFilePath());
  const TOptions& options = Options();
  const SearchState& search = Search();
  char joker[3];
  std::snprintf(joker, sizeof joker, "%02X", static_cast<unsigned>(search.JokerByte));

  OrderedWriter out(ini);
  out.Int(kDisplay, "resx", window.ScreenWidth());
  out.Int(kDisplay, "resy", window.ScreenHeight());
  out.Int(kDisplay, "ppi", window.ScreenPpi());
  out.Int(kMainSection, "Top", window.WindowTop());
  out.Int(kMainSection, "Left", window.WindowLeft());
  out.Int(kMainSection, "WindowState", window.WindowState());
  out.Int(kMainSection, "FrameLeft", window.FrameLeft());
  out.Int(kMainSection, "FrameTop", window.FrameTop());
  out.Int(kOptions, "Cols", Doc().BytesPerRow);
  out.Int(kOptions, "Rows", Doc().VisibleRows);
  out.Bool(kOptions, "TextGridLeft", options.TextGridLeft);
  out.Bool(kOptions, "HideToolBar", options.HideToolBar);
  out.Str(kOptions, "Font", window.FontName());
  out.Int(kOptions, "FontSize", window.FontSize());
  out.Int(kOptions, "ByteOrder", options.ByteOrder);
  out.Int(kOptions, "ColorBlock", static_cast<int32_t>(options.ColorBlock));
  out.Str(kOptions, "JokerHex", joker);
  out.Bool(kOptions, "FindHex", options.FindHex);
  out.Bool(kOptions, "ReplaceHex", options.ReplaceHex);
  out.Bool(kOptions, "InsHex", options.InsHex);
  out.Bool(kOptions, "CaseSensitive", search.CaseSensitive);
  out.Bool(kOptions, "JokerFind", search.JokerEnabled);
  out.Bool(kOptions, "RegularExpression", search.RegexEnabled);
  out.Bool(kOptions, "FindDown", search.SearchDown);
  out.Int(kOptions, "GotoMode", options.GotoMode);
  out.Int(kOptions, "BaseAdress", Doc().BaseAddress == 1 ? 1 : 0);
  out.Int(kOptions, "EncodeAs", options.EncodeAs);
  out.Int(kOptions, "EncodeWhere", options.EncodeWhere);
  out.Bool(kOptions, "OldFileTime", options.OldFileTime);
  out.Bool(kOptions, "NewEOF", options.NewEOF);
  out.Str(kOptions, "CurrentDir", options.CurrentDir);
  out.Bool(kOptions, "Overwrite", Doc().OverwriteMode);
  out.Bool(kOptions, "ModusText", Doc().TextMode);
  out.Bool(kOptions, "Scope", search.FromCursor);
  out.Str(kOptions, "ConvTable", options.ConvTable);
  out.Bool(kOptions, "HideAddressRange", options.HideAddressRange);
  out.Int(kOptions, "UndoLimitMB", options.UndoLimitMB);
  const bool written = out.Ok() && batch.Commit();
  if (!written) ShowError(FormatMsgS(msg::kErrorWritingIni, SettingsFilePath()));
  return written;
}

}  // namespace quoxa
