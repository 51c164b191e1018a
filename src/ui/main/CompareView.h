#pragma once
// File > Compare with...: the active document and another file (or open tab) side by side in
// the window's central area, with the list of differences below. Closing it (Esc) gives the
// area back to the normal grids; both documents stay open in their tabs.

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "tools/ByteCompare.h"

class QCheckBox;
class QKeyEvent;
class QLabel;
class QScrollBar;
class QTableView;

namespace quoxa {

class IFileAsker;
class TCompareGrid;
class TDocument;
class TDocumentCommands;
class TDiffListModel;

inline constexpr const char* kCompareTitle = "Compare with";
inline constexpr const char* kAnotherFile = "Another file...";
inline constexpr const char* kComparingCaption = "Compare";
inline constexpr const char* kComparingText = "Comparing...";
inline constexpr const char* kDifferenceOf = "difference %d of %d";
inline constexpr const char* kDifferenceCount = "differences: %d";
inline constexpr const char* kNoDifferences = "The files are equal";
inline constexpr const char* kCompareCancelled = "Compare cancelled: %d differences found so far";

class TCompareView : public QWidget {
  Q_OBJECT

 public:
  TCompareView(TDocumentCommands& documents, QWidget* parent = nullptr);
  ~TCompareView() override;

  // Asks for the other side (an open tab or a file through the program's file dialog) and
  // shows the compare; the active document is the left side.
  void Start(IFileAsker& asker);
  // Shows the compare of two open documents.
  void Open(TDocument& left, TDocument& right);
  void Close();
  bool Active() const { return left_ != nullptr; }
  // A document may have changed or closed: compares again when its bytes changed.
  void Refresh();

  // Goes to the next (step 1) or previous (-1) difference.
  void GoToDifference(int step);
  // Copies the difference at the cursor to the left or the right side.
  void CopyDifferenceTo(bool left);

  // While the window lays its hidden grids out anew, the document's cursor moves with their
  // cells: the compare cursor stays where it is until the hold ends.
  void Hold(bool held) { held_ = held; }

  TCompareGrid* Grid() const { return grid_; }
  const std::vector<DiffRange>& Differences() const { return ranges_; }

  // Status panel text; the view shown (true) or closed.
  std::function<void(const std::string&)> Status;
  std::function<void(bool shown)> Shown;
  // A document's bytes were changed by a copy or by typing (its tab shows the modified mark).
  std::function<void()> Changed;
  // The window's text and overwrite modes (Ins, a click in the other column).
  std::function<void()> ToggleTextMode;
  std::function<void()> ToggleOverwriteMode;

 private:
  struct Stamp {
    const uint8_t* buffer = nullptr;
    int64_t size = 0;
    size_t undo = 0;
    size_t redo = 0;
    bool operator==(const Stamp&) const = default;
  };
  // One edit of a side's bytes: [pos, pos + removed) became [pos, pos + added); inStep when the
  // differences shown were those of the documents before it.
  struct SideEdit {
    int side = 0;
    int64_t pos = 0;
    int64_t removed = 0;
    int64_t added = 0;
    bool inStep = false;
  };
  static Stamp StampOf(const TDocument& doc);
  bool InStep() const;
  void Recompare(const SideEdit* edit = nullptr);
  void ShowPosition();
  // The active document follows the side of the cursor, so that Save and Undo act on it.
  void ActivateSide();
  void ActivateDocument(TDocument* doc);
  int64_t CurrentDifference() const;
  // Typing on the side with the cursor, by the grid's rules for the same byte.
  bool EditKey(QKeyEvent* event);
  void TypeCharacter(uint8_t c);
  void StoreByte(uint8_t b);
  void DeleteByte(bool before);
  TDocument* SideDocument() const;
  // The address the side's document has its cursor on: the cursor's byte, on a gap the side's
  // next byte; -1 without one.
  int64_t DocumentAddress() const;
  // The side's byte at the cursor (-1 on a gap) and where a byte typed there goes.
  int64_t SideOffset() const;
  int64_t SidePlace() const;
  // Compares again after an edit of the cursor's side and puts the cursor on the place of that
  // side's byte at offset (one place on with next).
  void EditDone(int64_t offset, bool next, const SideEdit& edit);

  TDocumentCommands& documents_;
  TDocument* left_ = nullptr;
  TDocument* right_ = nullptr;
  Stamp stamps_[2];
  std::vector<DiffRange> ranges_;
  TAlignment line_;
  bool cancelled_ = false;
  QLabel* names_[2];
  QCheckBox* sameOffsets_;
  TCompareGrid* grid_;
  QScrollBar* scroll_;
  QTableView* list_;
  TDiffListModel* model_;
  bool syncing_ = false;
  // A copy makes its target active whatever side the cursor is on: no refresh meanwhile.
  bool copying_ = false;
  bool held_ = false;
};

}  // namespace quoxa
