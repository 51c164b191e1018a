#pragma once
// Commands whose state depends on the document's size, set when their menu opens.

namespace quoxa {

enum class MenuId { File, Edit, Search, Address, Bookmarks, Tools, Script, Help };

void EnableOnMenuOpen(MenuId menu);

}  // namespace quoxa
