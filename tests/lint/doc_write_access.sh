#!/usr/bin/env bash
# The document block is written only where the undo journal sees it: the files below may
# include the raw write header, nothing else in src/ may, and nothing but the document's
# own block keeping may cast away DocBuffer's constness.
set -euo pipefail
src="$1/src"
allowed="core/DocState.cpp core/FileIo.cpp core/Journal.cpp core/MemoryPolicy.cpp core/Primitives.cpp search/RegexReplace.cpp search/Replace.cpp"
actual=$(cd "$src" && grep -rl --include='*.cpp' --include='*.h' '#include "core/DocWrite.h"' . | sed 's#^\./##' | sort | tr '\n' ' ')
expected=$(echo "$allowed" | tr ' ' '\n' | sort | tr '\n' ' ')
status=0
if [ "$actual" != "$expected" ]; then
  echo "raw document writes outside the journaled primitives:"
  echo "  expected: $expected"
  echo "  actual:   $actual"
  status=1
fi
if grep -rnE --include='*.cpp' --include='*.h' 'const_cast<uint8_t ?\*>\([^;]*DocBuffer' "$src" | grep -vE 'core/(DocState|Document)\.cpp'; then
  echo "DocBuffer written through a cast"
  status=1
fi
exit $status
