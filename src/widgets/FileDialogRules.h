#pragma once
// The rules of the program's own file dialog that need no window: filters, the
// file name typed by the user, and the listing of a folder.

#include <cstdint>
#include <string>
#include <vector>

namespace quoxa {

enum class OseMode { Open = 0, Save = 1, Directory = 2, OpenMany = 3 };

// "*.*,*.exe" -> {"*.*", "*.exe"} (blanks around a pattern removed, empty ones dropped).
std::vector<std::string> SplitFilterList(const std::string& patterns);
// The filter to select: the remembered index when the remembered text occurs in the
// pattern string (ignoring case) and the index is valid, else the first.
int ChooseFilterIndex(const std::string& patterns, const std::string& rememberedText, int rememberedIndex);

bool HasWildcards(const std::string& text);
// Whether a file name matches a filter ("*" and "?", ignoring case; patterns may be
// separated by ';'; "*.*" matches every name).
bool MatchesFilter(const std::string& name, const std::string& filter);
// The extension a single pattern "*.ext" gives to a name typed without one, or "".
std::string DefaultExtension(const std::string& filter);

// A typed name as a full path: "~" is the home folder, a relative name is taken
// from currentDir; "." and ".." are resolved; no trailing slash except for "/".
std::string ExpandPath(const std::string& name, const std::string& currentDir);

// The names of a multiple selection: each one in double quotes, separated by blanks.
std::vector<std::string> SplitQuotedNames(const std::string& text);

struct TFileEntry {
  std::string name;
  int64_t size = 0;
  int64_t modified = 0;  // seconds since the epoch
};

// Files (not folders) of a folder that match the filter, in directory order.
std::vector<TFileEntry> ListFolderFiles(const std::string& folder, const std::string& filter);
// Subfolders of a folder, sorted ignoring case; hidden ones (".name") are left out.
std::vector<std::string> ListSubfolders(const std::string& folder);

// What OK does with the file-name edit.
struct TFileNameOutcome {
  enum class Kind {
    Nothing,          // empty edit
    Accept,           // paths hold the chosen files
    ChangeDirectory,  // move to directory, filter (when not empty) becomes the filter
    Refuse,           // a message was shown; the edit is selected again
  };
  Kind kind = Kind::Nothing;
  std::vector<std::string> paths;
  std::string directory;
  std::string filter;
  std::string editText;  // what the edit shows after an Accept
};

// Checks the typed name, showing the messages of the dialog. listedNames are the
// names of the file list (for several names given without a folder).
TFileNameOutcome EvaluateFileName(OseMode mode, const std::string& editText, const std::string& currentDir,
                                  const std::string& filter, const std::vector<std::string>& listedNames,
                                  int64_t minFreeSpace);

}  // namespace quoxa
