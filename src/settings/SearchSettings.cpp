#include "settings/SearchSettings.h"

namespace quoxa {

SearchState& Search() {
  static SearchState state;
  return state;
}

}  // namespace quoxa
