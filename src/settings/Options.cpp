#include "settings/Options.h"

namespace quoxa {

TOptions& Options() {
  static TOptions options;
  return options;
}

}  // namespace quoxa
