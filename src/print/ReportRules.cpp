#include "print/ReportRules.h"

#include <charconv>
#include <cmath>

namespace quoxa {

namespace {

int32_t RoundPixels(double value) { return static_cast<int32_t>(std::lround(value)); }

// The part of a template after mark up to the first "}" after it.
std::string TemplatePart(const std::string& text, const char* mark) {
  const size_t at = text.find(mark);
  if (at == std::string::npos) return {};
  const size_t from = at + 2;
  const size_t close = text.find('}', from);
  if (close == std::string::npos) return {};
  return text.substr(from, close - from);
}

void ReplaceAll(std::string& text, const std::string& name, const std::string& value) {
  // A value holding its own name would be found again in the text it went into.
  if (value.find(name) != std::string::npos) return;
  std::string out;
  size_t from = 0;
  for (size_t at = text.find(name); at != std::string::npos; at = text.find(name, from)) {
    out.append(text, from, at - from);
    out += value;
    from = at + name.size();
  }
  if (from == 0) return;
  out.append(text, from, std::string::npos);
  text = std::move(out);
}

bool IsBreakChar(char c) {
  switch (c) {
    case ' ':
    case '!':
    case ',':
    case '.':
    case ':':
    case ';':
    case '?': return true;
    default: return false;
  }
}

// A break character must stand at position 6 or later (1-based).
constexpr size_t kFirstBreakPosition = 6;

}  // namespace

int32_t UnitToPixels(double value, TMeasureUnit unit, int32_t ppi, int32_t letter) {
  switch (unit) {
    case TMeasureUnit::puMM: return RoundPixels(value * ppi / kMMPerInch);
    case TMeasureUnit::puInch: return RoundPixels(value * ppi);
    case TMeasureUnit::puChar: return RoundPixels(value * letter);
  }
  return 0;
}

double PixelsToUnit(int32_t pixels, TMeasureUnit unit, int32_t ppi, int32_t letter) {
  switch (unit) {
    case TMeasureUnit::puMM: return ppi > 0 ? pixels * kMMPerInch / ppi : 0;
    case TMeasureUnit::puInch: return ppi > 0 ? static_cast<double>(pixels) / ppi : 0;
    case TMeasureUnit::puChar: return letter > 0 ? std::round(static_cast<double>(pixels) / letter) : 0;
  }
  return 0;
}

double UnitToMM(double value, TMeasureUnit unit) {
  switch (unit) {
    case TMeasureUnit::puMM: return value;
    case TMeasureUnit::puInch: return value * kMMPerInch;
    case TMeasureUnit::puChar: return 0;
  }
  return 0;
}

double MMToUnit(double mm, TMeasureUnit unit) {
  switch (unit) {
    case TMeasureUnit::puMM: return mm;
    case TMeasureUnit::puInch: return mm * kInchPerMM;
    case TMeasureUnit::puChar: return 0;
  }
  return 0;
}

double Round2(double value) { return std::round(value * 100.0) / 100.0; }

int32_t LineHeightFor(int32_t h, TLineSpacing spacing) {
  switch (spacing) {
    case TLineSpacing::lsHalf: return h / 2;
    case TLineSpacing::lsSingle: return h;
    case TLineSpacing::lsSingleAndHalf: return h + h / 2;
    case TLineSpacing::lsDouble: return 2 * h;
  }
  return h;
}

int32_t RulePenWidth(int32_t ppiY, bool thick) { return (ppiY / 300) * (thick ? 4 : 2); }

// ---- geometry

TReportGeometry::TReportGeometry() { ReapplyMargins(); }

void TReportGeometry::SetMetrics(const PrinterMetrics& metrics) { metrics_ = metrics; }

void TReportGeometry::SetLetter(int32_t width, int32_t height) {
  letterW_ = width > 0 ? width : 1;
  letterH_ = height > 0 ? height : 1;
}

void TReportGeometry::SetMargin(MarginSide side, double value) {
  const bool x = Horizontal(side);
  const int32_t offset = x ? metrics_.offsetX : metrics_.offsetY;
  const int32_t pixels = (x ? ToPixelsX(value) : ToPixelsY(value)) - offset;
  if (pixels < 0) {
    pixels_[Index(side)] = 0;
    const int32_t ppi = x ? metrics_.ppiX : metrics_.ppiY;
    mm_[Index(side)] = ppi > 0 ? offset * kMMPerInch / ppi : 0;
    return;
  }
  pixels_[Index(side)] = pixels;
  mm_[Index(side)] = UnitToMM(value, unit_);
}

double TReportGeometry::Margin(MarginSide side) const { return Round2(MMToUnit(mm_[Index(side)], unit_)); }

int32_t TReportGeometry::MarginPixels(MarginSide side) const { return pixels_[Index(side)]; }

void TReportGeometry::ReapplyMargins() {
  for (MarginSide side : {MarginSide::Left, MarginSide::Right, MarginSide::Top, MarginSide::Bottom}) {
    SetMargin(side, MMToUnit(mm_[Index(side)], unit_));
  }
}

int32_t TReportGeometry::PrintableWidth() const {
  return metrics_.horzRes - pixels_[Index(MarginSide::Left)] - pixels_[Index(MarginSide::Right)];
}

int32_t TReportGeometry::PrintableHeight(int32_t reserved) const {
  return metrics_.vertRes - pixels_[Index(MarginSide::Top)] - pixels_[Index(MarginSide::Bottom)] - reserved;
}

double TReportGeometry::PaperWidth() const {
  return Round2(PixelsToUnit(metrics_.physWidth, unit_, metrics_.ppiX, letterW_));
}

double TReportGeometry::PaperHeight() const {
  return Round2(PixelsToUnit(metrics_.physHeight, unit_, metrics_.ppiY, letterH_));
}

double TReportGeometry::MarginPhysX() const { return PixelsToUnit(metrics_.offsetX, unit_, metrics_.ppiX, letterW_); }

double TReportGeometry::MarginPhysY() const { return PixelsToUnit(metrics_.offsetY, unit_, metrics_.ppiY, letterH_); }

// ---- templates and macros

ReportTemplate ParseTemplate(const std::string& text) {
  return {TemplatePart(text, "<{"), TemplatePart(text, "^{"), TemplatePart(text, ">{")};
}

std::string ExpandMacros(std::string text, const MacroValues& values) {
  if (text.find('%') == std::string::npos) return text;
  ReplaceAll(text, "%LINE", std::to_string(values.line));
  ReplaceAll(text, "%PAGE", std::to_string(values.page));
  ReplaceAll(text, "%DATE", values.date);
  ReplaceAll(text, "%TIME", values.time);
  ReplaceAll(text, "%EXENAME", values.exeName);
  ReplaceAll(text, "%EXEDATE", values.exeDate);
  ReplaceAll(text, "%EXETIME", values.exeTime);
  return text;
}

// ---- lines and cells

size_t CutLength(const std::string& text, const std::function<bool(size_t)>& fits) {
  size_t n = text.size();
  while (n > 1 && !fits(n)) --n;
  return n;
}

size_t WrapPieceLength(const std::string& text, const std::function<bool(size_t)>& fits) {
  if (fits(text.size())) return text.size();
  const size_t longest = CutLength(text, fits);
  // The piece keeps its break character: a blank is trimmed away, punctuation stays with its word.
  for (size_t i = longest; i >= kFirstBreakPosition; --i) {
    if (IsBreakChar(text[i - 1])) return i;
  }
  return longest;
}

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  const size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

ColumnFormat ParseColumnFormat(const std::string& text) {
  std::string field = text.empty() ? "<1" : text;
  if (field == "<" || field == ">" || field == "^") field += "1";
  ColumnFormat format;
  std::string number = field;
  switch (field.front()) {
    case '<': number = field.substr(1); break;
    case '>': format.align = TextAlign::Right; number = field.substr(1); break;
    case '^': format.align = TextAlign::Centre; number = field.substr(1); break;
    default: break;
  }
  // The column widths of a format are written with a point, whatever the locale.
  double width = 0;
  const char* last = number.data() + number.size();
  const auto [end, error] = std::from_chars(number.data(), last, width);
  format.width = error == std::errc() && end == last && width > 0 ? width : 0;
  return format;
}

std::vector<std::string> SplitAt(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t from = 0;
  for (size_t at = text.find(separator); at != std::string::npos; at = text.find(separator, from)) {
    parts.push_back(text.substr(from, at - from));
    from = at + 1;
  }
  parts.push_back(text.substr(from));
  return parts;
}

}  // namespace quoxa
