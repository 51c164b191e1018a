#pragma once
// Window placement in the settings file: a section named after the window's class.

#include <memory>
#include <string>
#include <vector>

namespace quoxa {

struct TRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// "64,20,20" -> {64, 20, 20}; stops at the first item that is not a width or after maxCount.
std::vector<int> ParseColumnWidths(const std::string& text, size_t maxCount);
std::string FormatColumnWidths(const std::vector<int>& widths);

// Widest column a settings file may set.
constexpr int kMaxColumnWidth = 10000;

// A grid or list view whose column widths are stored under its component name.
class IColumnOwner {
 public:
  virtual ~IColumnOwner() = default;
  virtual std::string Name() const = 0;
  virtual int Tag() const = 0;
  virtual int ColumnCount() const = 0;
  virtual int ColumnWidth(int col) const = 0;
  virtual void SetColumnWidth(int col, int width) = 0;
};

// A window whose placement is stored.
class IPlacedForm {
 public:
  virtual ~IPlacedForm() = default;
  virtual std::string SectionName() const = 0;
  virtual int ScreenWidth() const = 0;
  virtual int ScreenHeight() const = 0;
  // Bounds of the normal (not maximised) window.
  virtual TRect Bounds() const = 0;
  virtual void SetBounds(const TRect& bounds) = 0;
  // 0 normal, 1 minimised, 2 maximised.
  virtual int State() const = 0;
  virtual void SetState(int state) = 0;
  virtual bool Sizeable() const = 0;
  virtual std::vector<std::unique_ptr<IColumnOwner>> ColumnOwners() = 0;
};

// Reads the window's placement; an empty fileName means the settings file. On a
// screen of another size the window is centred instead, with a cascade offset
// shared by every window of the process.
void RestoreFormPlacement(IPlacedForm& form, const std::string& fileName);

// Writes "display" resx/resy, then the window's placement; false when a write failed
// (the keys after it are not written).
bool SaveFormPlacement(IPlacedForm& form, const std::string& fileName);

// Back to no cascade offset (tests).
void ResetPlacementCascade();

}  // namespace quoxa
