#pragma once
// The document commands of the main window: New, Open, Save, Save As, Close,
// Insert file, files dropped on the window, and the save question.

#include <cstdint>
#include <string>
#include <vector>

#include "core/FileQuestion.h"
#include "ui/main/RecoveryOffers.h"

namespace quoxa {

inline constexpr const char* kCaption = "QUOXA";
inline constexpr const char* kSaveQuestion = "%s modified. Save now?";
inline constexpr const char* kDropOneFile = "Please drop only one file";
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
};

class TDocumentCommands {
 public:
  explicit TDocumentCommands(IDocumentHost& host) : host_(host) {}

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
  // The Close command: asks to save, then shows no document.
  void CloseDocument();
  void InsertFile();
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
  FileQuestion Question(bool save, const char* title) const;
  bool WriteDocument(const std::string& path);

  IDocumentHost& host_;
  TRecoveryOffers recovery_;
  int newCounter_ = 0;
  bool unsavedNoted_ = false;
};

// The command-line file's long form: its canonical absolute path. False for names
// with wildcards and names that do not exist.
bool LongPathForm(const std::string& name, std::string& longForm);

}  // namespace quoxa
