#!/usr/bin/env bash
# The scan for untranslated texts reports exactly the lines of its cases marked "// flagged".
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
cd "$here/cases"
expected=$(grep -rn '// flagged$' --include=*.cpp . | cut -d: -f1,2 | sed 's|^\./||' | sort)
found=$(python3 "$here/untranslated.py" . main app 2>/dev/null | cut -d: -f1,2 | sort || true)
if [ "$found" != "$expected" ]; then
  echo "expected:"; echo "$expected"; echo "found:"; echo "$found"
  exit 1
fi
