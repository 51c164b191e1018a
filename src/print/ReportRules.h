#pragma once
// The arithmetic and text rules of the report engine (TQZReport) without a printer:
// units, margins against the unprintable offsets, line height, header and footer
// templates with their macros, word wrap and table column formats.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace quoxa {

enum class TMeasureUnit { puMM, puInch, puChar };
enum class TLineSpacing { lsHalf, lsSingle, lsSingleAndHalf, lsDouble };

enum TLayoutOption : unsigned {
  loBorderTop = 1u << 0,
  loBorderBottom = 1u << 1,
  loHeaderBold = 1u << 2,
  loTableHeaderLinesBold = 1u << 3,
  loFooterBold = 1u << 4,
  loWordWrap = 1u << 5,
};
using TLayoutOptions = unsigned;
constexpr TLayoutOptions kAllLayoutOptions = 0x3F;

enum class TextAlign { Left, Centre, Right };

// Millimetres per inch, and its inverse as the dialog and the engine use it.
constexpr double kMMPerInch = 25.4;
constexpr double kInchPerMM = 0.0393700787;

// Pixels of a value along one axis, with that axis' pixel density and letter size.
int32_t UnitToPixels(double value, TMeasureUnit unit, int32_t ppi, int32_t letter);
double PixelsToUnit(int32_t pixels, TMeasureUnit unit, int32_t ppi, int32_t letter);
// A margin in the unit as kept in millimetres, and back (characters keep 0).
double UnitToMM(double value, TMeasureUnit unit);
double MMToUnit(double mm, TMeasureUnit unit);
// Rounded to two decimals.
double Round2(double value);

int32_t LineHeightFor(int32_t letterHeight, TLineSpacing spacing);
// Pen width of page borders and thin rules, or of thick rules.
int32_t RulePenWidth(int32_t ppiY, bool thick);

// What a printer tells about its page, in its pixels.
struct PrinterMetrics {
  int32_t ppiX = 600;
  int32_t ppiY = 600;
  int32_t physWidth = 4961;   // A4 at 600 dpi
  int32_t physHeight = 7016;
  int32_t offsetX = 0;        // unprintable left and top margins
  int32_t offsetY = 0;
  int32_t horzRes = 4961;     // printable width and height
  int32_t vertRes = 7016;
};

enum class MarginSide { Left, Right, Top, Bottom };

// Page geometry: margins kept in millimetres and in pixels from the printable area's origin.
class TReportGeometry {
 public:
  TReportGeometry();

  void SetMetrics(const PrinterMetrics& metrics);
  const PrinterMetrics& Metrics() const { return metrics_; }
  // The size of "X" in the report font on the printer.
  void SetLetter(int32_t width, int32_t height);
  int32_t LetterWidth() const { return letterW_; }
  int32_t LetterHeight() const { return letterH_; }

  TMeasureUnit Unit() const { return unit_; }
  void SetUnit(TMeasureUnit unit) { unit_ = unit; }

  // A margin from the paper edge in the unit; one inside the unprintable offset becomes it.
  void SetMargin(MarginSide side, double value);
  // Read back in the unit, rounded to two decimals (0 for characters).
  double Margin(MarginSide side) const;
  int32_t MarginPixels(MarginSide side) const;
  // Sets every margin again from its millimetres (another printer or orientation).
  void ReapplyMargins();

  int32_t PrintableWidth() const;
  // reserved: the height taken by the footer and the bottom rule.
  int32_t PrintableHeight(int32_t reserved) const;

  double PaperWidth() const;
  double PaperHeight() const;
  double MarginPhysX() const;
  double MarginPhysY() const;

  int32_t ToPixelsX(double value) const { return UnitToPixels(value, unit_, metrics_.ppiX, letterW_); }
  int32_t ToPixelsY(double value) const { return UnitToPixels(value, unit_, metrics_.ppiY, letterH_); }

 private:
  static int Index(MarginSide side) { return static_cast<int>(side); }
  bool Horizontal(MarginSide side) const { return side == MarginSide::Left || side == MarginSide::Right; }

  PrinterMetrics metrics_;
  TMeasureUnit unit_ = TMeasureUnit::puMM;
  int32_t letterW_ = 1;
  int32_t letterH_ = 1;
  double mm_[4] = {15, 15, 15, 15};
  int32_t pixels_[4] = {0, 0, 0, 0};
};

// A header or footer template: "<{left}", "^{centred}", ">{right}".
struct ReportTemplate {
  std::string left;
  std::string centre;
  std::string right;
  bool HasParts() const { return !left.empty() || !centre.empty() || !right.empty(); }
};
ReportTemplate ParseTemplate(const std::string& text);

struct MacroValues {
  int32_t line = 0;
  int32_t page = 0;
  std::string date;
  std::string time;
  std::string exeName;
  std::string exeDate;
  std::string exeTime;
};
// Replaces %LINE, %PAGE, %DATE, %TIME, %EXENAME, %EXEDATE and %EXETIME everywhere.
std::string ExpandMacros(std::string text, const MacroValues& values);

// How a word-wrapped line splits: the length of the next piece of text, given whether the
// first n characters fit. Breaks after the last blank or ! , . : ; ? at position 6 or later,
// else hard at the longest prefix that fits; at least one character.
size_t WrapPieceLength(const std::string& text, const std::function<bool(size_t n)>& fits);
// The longest prefix that fits, cut from the end; at least one character.
size_t CutLength(const std::string& text, const std::function<bool(size_t n)>& fits);
// Without blanks at either end.
std::string Trimmed(const std::string& text);

struct ColumnFormat {
  TextAlign align = TextAlign::Left;
  double width = 1;  // in the measure unit
};
// "<12", ">3.5", "^2", "" (= "<1"), "<" (= "<1"), "7" (left, 7 wide).
ColumnFormat ParseColumnFormat(const std::string& text);
// The parts of text between separators (an empty text gives one empty part).
std::vector<std::string> SplitAt(const std::string& text, char separator);

}  // namespace quoxa
