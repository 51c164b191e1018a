#pragma once
// The document commands of the main window: New, Open, Save, Save As, Close,
// Insert file, files dropped on the window, and the save question.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/Commands.h"
#include "core/Document.h"
#include "core/FileQuestion.h"
#include "ui/main/RecoveryOffers.h"

namespace quoxa {

inline constexpr const char* kCaption = "QUOXA";
inline constexpr const char* kSaveQuestion = "%s modified. Save now?";
inline constexpr const char* kFileIsEmpty = "File is empty:\n%s";
// What the commands need from the window, besides its file dialog.
class IDocumentHost : public IFileAsker {
 public:
  // Window caption and application title.
  virtual void SetCaption(const std::string& caption) = 0;
  // Status panel 3.
  virtual void ShowNote(const std::string& text) = 0;
  // Empties the cells of the three grids.
  virtual void ClearGrids() = 0;
  // Scroll bar and cursor cells on (a document is shown) or off.
  virtual void ShowDocumentView(bool shown) = 0;
  // Puts a file at the top of the recently used list.
  virtual void AddRecentFile(const std::string& path) = 0;
  // The list of open documents, a name or a modified mark changed.
  virtual void DocumentsChanged() {}
  // Another document became the active one: show it.
  virtual void ShowActiveDocument() {}
};

// The open documents of the window, one of them active (Doc()), and their commands.
class TDocumentCommands {
 public:
  // The active document at construction is the first one.
  explicit TDocumentCommands(IDocumentHost& host);
  ~TDocumentCommands();
  TDocumentCommands(const TDocumentCommands&) = delete;
  TDocumentCommands& operator=(const TDocumentCommands&) = delete;

  int Count() const { return static_cast<int>(docs_.size()); }
  int ActiveIndex() const { return active_; }
  TDocument& At(int index) const { return *docs_[static_cast<size_t>(index)].doc; }
  // Makes the document at index the active one, with its cursor, block and commands.
  void Activate(int index);
  // The next (step 1) or previous (step -1) document, round the end.
  void ActivateNext(int step);
  // The open document read from the file path names (same device and inode), or -1.
  int IndexOfFile(const std::string& path) const;
  // Opens a file in a document of its own (the empty window's when nothing is shown); a file
  // that is open already is activated instead. False when it could not be read.
  bool OpenInTab(const std::string& name, bool readOnly, bool fromRecentList = false);
  // Exit: the save question for every modified document in turn, the active one first; false
  // when one was cancelled (the rest stay as they are).
  bool QuerySaveAll(bool answerable);
  // Shut-down: gives back every document's block.
  void ReleaseAll();

  void New();
  void Open();
  void Save();
  // False when the dialog was cancelled or the file was not written.
  bool SaveAsDialog();
  // False means the user cancelled.
  bool QuerySave();
  // The save question of closing. When a signal ends the program where nobody can answer
  // (answerable false: a batch run, no display), nothing is asked or saved, and standard
  // error names the changes that stay unsaved.
  bool QuerySaveOnClose(bool answerable);
  // Says on standard error, once, that a modified document is left unsaved by a signal.
  void NoteUnsavedOnSignal();
  // The Close command: asks to save, then closes the active document (the last one stays as the
  // empty window).
  void CloseDocument();
  void InsertFile();
  // Opens each dropped file in a document of its own.
  void DropFiles(const std::vector<std::string>& paths);
  // Loads a file as the document; false when it could not be read.
  bool OpenFileByName(const std::string& name, bool fromRecentList);
  // Makes a freshly loaded or new document visible; origin is the address of its first byte.
  void PrepareView(int64_t origin = 0);
  // Shows imported bytes as a new, untitled document named after the file they came from;
  // false (shown) when the memory cannot hold them, and the document stays as it was.
  bool ShowImported(const std::vector<uint8_t>& bytes, int64_t origin, const std::string& sourcePath);
  // Shows no document, without asking.
  void ShowNoDocument();
  // At the start: offers what earlier runs left behind and this run did not ask about yet.
  void OfferRecoveries();
  // Makes the kept copy of a document's unsaved changes the document, modified; false when it
  // could not be read.
  bool OpenUnsavedCopy(const TRecoveryRecord& record);

  int NewCounter() const { return newCounter_; }

 private:
  struct OpenDocument {
    TDocument* doc = nullptr;
    std::unique_ptr<TDocument> owned;  // empty for the program's first document
    // Its commands' enabled state, kept while another document is active.
    std::array<bool, kCommandCount> commands{};
    bool commandsKept = false;
  };

  FileQuestion Question(bool save, const char* title) const;
  bool WriteDocument(const std::string& path);
  // A new empty document after the others, made active; false without memory for it.
  bool AddDocument();
  // Closes the document at index without asking; then activates the one at next.
  void RemoveDocument(int index, int next);

  IDocumentHost& host_;
  std::vector<OpenDocument> docs_;
  int active_ = 0;
  TDocument* first_;
  // Commands whose state belongs to the program, not to one document.
  std::array<bool, kCommandCount> programCommands_{};
  TRecoveryOffers recovery_;
  int newCounter_ = 0;
  bool unsavedNoted_ = false;
};

// The window's caption while doc is shown: "QUOXA - " and its file name.
std::string CaptionOf(const TDocument& doc);

// Inserts the bytes of the file at path before position p (DocSize + 1 appends), as Insert file
// and a file dropped with Ctrl on a grid do; the cursor goes behind them. False when nothing was
// inserted (the message is shown).
bool InsertFileBytes(const std::string& path, int64_t p);

// The command-line file's long form: its canonical absolute path. False for names
// with wildcards and names that do not exist.
bool LongPathForm(const std::string& name, std::string& longForm);

}  // namespace quoxa
