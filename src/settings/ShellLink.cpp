#include "settings/ShellLink.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/Busy.h"
#include "core/Messages.h"
#include "core/PlatformFile.h"
#include "settings/HistoryList.h"
#include "settings/IniFile.h"
#include "settings/SettingsPath.h"

namespace quoxa {

namespace {

namespace fs = std::filesystem;

constexpr const char* kEntryGroup = "Desktop Entry";
constexpr const char* kSendTo = "SendTo";

std::string EnvValue(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::string(value) : std::string();
}

std::string Upper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

// An XDG base folder: the variable when it holds an absolute path, else home + fallback.
std::string XdgFolder(const char* variable, const char* homeRelative) {
  const std::string value = EnvValue(variable);
  if (!value.empty() && value.front() == '/') return value;
  const std::string home = EnvValue("HOME");
  if (home.empty()) return std::string();
  return home + "/" + homeRelative;
}

bool NeedsQuotes(const std::string& argument) {
  if (argument.empty()) return true;
  for (char c : argument) {
    switch (c) {
      case ' ': case '\t': case '\n': case '"': case '\'': case '\\': case '>': case '<': case '~':
      case '|': case '&': case ';': case '$': case '*': case '?': case '#': case '(': case ')': case '`':
        return true;
      default:
        break;
    }
  }
  return false;
}

// The escapes of a desktop entry's string values.
std::string EscapeValue(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default: out += c; break;
    }
  }
  return out;
}

std::string UnescapeValue(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char next = text[++i];
    switch (next) {
      case 's': out += ' '; break;
      case 'n': out += '\n'; break;
      case 't': out += '\t'; break;
      case 'r': out += '\r'; break;
      case '\\': out += '\\'; break;
      default: out += '\\'; out += next; break;
    }
  }
  return out;
}

// The XDG desktop folder: XDG_DESKTOP_DIR of user-dirs.dirs ("$HOME/..." or an
// absolute path), ~/Desktop when it names none.
std::string DesktopFolder() {
  const std::string home = EnvValue("HOME");
  if (home.empty()) return home;
  const std::string config = XdgFolder("XDG_CONFIG_HOME", ".config");
  std::ifstream dirs(config + "/user-dirs.dirs");
  std::string line;
  while (std::getline(dirs, line)) {
    const std::string key = "XDG_DESKTOP_DIR=";
    if (line.rfind(key, 0) != 0) continue;
    std::string value = line.substr(key.size());
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    if (value.rfind("$HOME", 0) == 0) value = home + value.substr(5);
    // The file's own rule: only $HOME-relative or absolute paths count.
    if (!value.empty() && value.front() == '/') return value;
  }
  return home + "/Desktop";
}

// How a kind of folder is named to the user: by its Linux place, not the Windows one.
std::string FolderTitle(const std::string& kind) {
  const std::string upper = Upper(kind);
  if (upper == "SENDTO" || upper == "PROGRAMS") return "applications";
  if (upper == "DESKTOP") return "desktop";
  if (upper == "STARTUP") return "autostart";
  return kind;
}

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
  return IndexIgnoringCase({a}, b) == 0;
}

}  // namespace

std::string ShellFolder(const std::string& kind) {
  const std::string upper = Upper(kind);
  if (upper == "SENDTO" || upper == "PROGRAMS") {
    const std::string data = XdgFolder("XDG_DATA_HOME", ".local/share");
    return data.empty() ? data : data + "/applications";
  }
  if (upper == "STARTUP") {
    const std::string config = XdgFolder("XDG_CONFIG_HOME", ".config");
    return config.empty() ? config : config + "/autostart";
  }
  if (upper == "DESKTOP") return DesktopFolder();
  return kind;
}

std::string QuoteExecArgument(const std::string& argument) {
  std::string out;
  const bool quoted = NeedsQuotes(argument);
  if (quoted) out += '"';
  for (char c : argument) {
    if (quoted && (c == '"' || c == '`' || c == '$' || c == '\\')) out += '\\';
    out += c;
    if (c == '%') out += '%';
  }
  if (quoted) out += '"';
  return out;
}

std::vector<std::string> SplitExec(const std::string& exec) {
  std::vector<std::string> args;
  std::string current;
  bool present = false;  // the argument has text or quotes
  bool inQuotes = false;
  for (size_t i = 0; i < exec.size(); ++i) {
    const char c = exec[i];
    const char next = i + 1 < exec.size() ? exec[i + 1] : '\0';
    if (c == '%' && next != '\0') {
      // "%%" is a percent sign; any other field code stands for what the shell passes.
      if (next == '%') current += '%';
      present = present || next == '%';
      ++i;
    } else if (inQuotes) {
      if (c == '\\' && next != '\0') {
        current += next;
        ++i;
      } else if (c == '"') {
        inQuotes = false;
      } else {
        current += c;
      }
    } else if (c == ' ' || c == '\t') {
      if (present) args.push_back(current);
      current.clear();
      present = false;
    } else if (c == '"') {
      inQuotes = true;
      present = true;
    } else {
      current += c;
      present = true;
    }
  }
  if (present) args.push_back(current);
  return args;
}

bool ReadLink(const std::string& name, const std::string& kind, TShellLink& link) {
  const std::string folder = ShellFolder(kind);
  if (folder.empty()) return false;
  const TIniFile entry(folder + "/" + name);
  if (entry.ReadString(kEntryGroup, "Type", "") != "Application") return false;
  const auto args = SplitExec(UnescapeValue(entry.ReadString(kEntryGroup, "Exec", "")));
  if (args.empty()) return false;
  link = TShellLink{};
  link.target = args.front();
  for (size_t i = 1; i < args.size(); ++i) {
    if (!link.arguments.empty()) link.arguments += ' ';
    link.arguments += args[i];
  }
  link.workingDir = UnescapeValue(entry.ReadString(kEntryGroup, "Path", ""));
  link.iconLocation = UnescapeValue(entry.ReadString(kEntryGroup, "Icon", ""));
  return true;
}

bool CreateLink(const std::string& name, const std::string& kind, const TShellLink& link) {
  const std::string folder = ShellFolder(kind);
  if (folder.empty() || name.empty() || name.find('/') != std::string::npos) return false;
  const std::string title = name.size() > 8 && name.ends_with(kLinkExtension)
                                ? name.substr(0, name.size() - std::string(kLinkExtension).size())
                                : name;
  std::string exec = QuoteExecArgument(link.target);
  if (!link.arguments.empty()) exec += " " + link.arguments;
  exec += " %f";
  std::string text = "[Desktop Entry]\nType=Application\nVersion=1.0\n";
  text += "Name=" + EscapeValue(title) + "\n";
  text += "Comment=Hex editor\n";
  text += "Exec=" + EscapeValue(exec) + "\n";
  if (!link.workingDir.empty()) text += "Path=" + EscapeValue(link.workingDir) + "\n";
  if (!link.iconLocation.empty()) text += "Icon=" + EscapeValue(link.iconLocation) + "\n";
  text += "Terminal=false\nMimeType=application/octet-stream;\nCategories=Utility;\n";
  std::error_code ec;
  fs::create_directories(folder, ec);
  return ReplaceFileAtomically(folder + "/" + name, text);
}

std::string FindLinkTo(const std::string& target, const std::string& kind) {
  const std::string folder = ShellFolder(kind);
  if (folder.empty()) return std::string();
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    if (it->is_directory(typeError)) continue;
    const std::string name = it->path().filename().string();
    if (!name.ends_with(kLinkExtension)) continue;
    TShellLink link;
    if (ReadLink(name, kind, link) && EqualIgnoringCase(link.target, target)) return name;
  }
  return std::string();
}

bool CreateLinkDialog(const std::string& defaultName, const std::string& arguments, const std::string& kind,
                      int helpContext) {
  const std::string exe = ExecutablePath();
  if (!FindLinkTo(exe, kind).empty()) return true;
  const std::string folder = ShellFolder(kind);
  std::string name = defaultName;
  while (true) {
    if (!InputBox("Link in " + FolderTitle(kind) + " folder not yet existing", "Create link with name:", name,
                  helpContext)) {
      return true;
    }
    name = name.substr(0, name.find('.'));
    if (name.empty()) {
      ShowError("Please enter a name for this link.");
      continue;
    }
    std::error_code ec;
    if (!folder.empty() && fs::exists(folder + "/" + name + kLinkExtension, ec)) {
      ShowError("Shell link with this name already existing.\r\nPlease select a different name.");
      continue;
    }
    break;
  }
  TShellLink link;
  link.target = exe;
  link.arguments = arguments;
  link.workingDir = DirectoryOf(exe);
  // The icon the program installs in the hicolor theme.
  link.iconLocation = kIconName;
  if (!CreateLink(name + kLinkExtension, kind, link)) {
    ShowError("Error creating shell link file.\r\nPlease create link manually.");
    return false;
  }
  return true;
}

TSendToState ScanSendToLink() {
  BusyScope busy("Scanning Shortcut Links...");
  TSendToState state;
  state.linkName = FindLinkTo(ExecutablePath(), kSendTo);
  state.createEnabled = state.linkName.empty();
  state.removeEnabled = !state.createEnabled;
  return state;
}

bool CreateSendToLink() { return CreateLinkDialog("QUOXA", "", kSendTo, 0); }

void RemoveSendToLink(const std::string& linkName) {
  if (linkName.empty()) return;
  const std::string folder = ShellFolder(kSendTo);
  if (folder.empty()) return;
  std::error_code ec;
  fs::remove(folder + "/" + linkName, ec);
}

}  // namespace quoxa
