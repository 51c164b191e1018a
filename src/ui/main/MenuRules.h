#pragma once
// Commands whose state depends on the document's size, set when their menu opens.

namespace quoxa {

enum class MenuId { File, Edit, View, Search, Address, Bookmarks, Tools, Script, Help };

void EnableOnMenuOpen(MenuId menu);

// A command whose handler checks its own conditions is greyed only while its menu is open, so
// that its shortcut reaches the handler whatever changed since ("Execute active").
void EnableOnMenuClose(MenuId menu);

}  // namespace quoxa
