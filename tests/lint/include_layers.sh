#!/usr/bin/env bash
# Includes run one way: core <- settings <- widgets <- search, print <- tools, edit <- script
# <- ui <- app. A file may include its own folder and any folder on a lower floor; a folder on
# its own floor or above is an include that points up (what two folders share belongs in the
# lower one).
set -euo pipefail
src="$1/src"
declare -A floor=([core]=1 [settings]=2 [widgets]=3 [search]=4 [print]=4 [tools]=5 [edit]=5 [script]=6 [ui]=7
  [app]=8)
status=0
while IFS= read -r -d '' file; do
  rel=${file#"$src"/}
  own=${rel%%/*}
  [ -n "${floor[$own]:-}" ] || continue
  while IFS= read -r target; do
    [ "$target" = "$own" ] && continue
    [ -n "${floor[$target]:-}" ] || continue
    if [ "${floor[$target]}" -ge "${floor[$own]}" ]; then
      echo "$rel includes $target/, which is not below $own/"
      status=1
    fi
  done < <(sed -n 's|^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"/]*\)/.*|\1|p' "$file")
done < <(find "$src" -type f \( -name '*.cpp' -o -name '*.h' \) -print0)
exit $status
