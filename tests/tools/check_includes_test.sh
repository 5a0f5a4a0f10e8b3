#!/usr/bin/env bash
# scripts/check-includes passes this tree, and fails a small one with a
# header that calls back into its includer, one with core/ including a scene,
# and one whose generator includes more of src/ than the shared layout.
set -euo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
check=$repo/scripts/check-includes
python3 "$check" "$repo"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# finds PATTERN WHAT: the check of $tmp reports a line matching PATTERN.
finds() {
    out=$(python3 "$check" "$tmp" || true)
    grep -q "$1" <<<"$out" || { echo "$2 not found: $out"; exit 1; }
}
mkdir -p "$tmp/tools/common" "$tmp/src/core" "$tmp/src/screens"
# The generator's old shape: parts call save(), which main defines beside the calls to the parts.
printf 'void save();\nvoid part();\n' >"$tmp/tools/common/output.h"
printf '#include "common/output.h"\nvoid part()\n{\n    save();\n}\n' >"$tmp/tools/common/part.cpp"
printf '#include "common/output.h"\nvoid save()\n{\n}\nint main()\n{\n    part();\n}\n' >"$tmp/tools/common/main.cpp"
finds "include loop: tools/common/main -> tools/common/part" loop

rm -rf "$tmp/tools"
printf 'void title();\n' >"$tmp/src/screens/title.h"
printf '#include "screens/title.h"\n' >"$tmp/src/core/startup.cpp"
finds "src/core/startup.cpp:1: src/core includes screens/title.h, which is not below it" "layering fault"

# The generator may share the game's layout numbers, and nothing else of src/.
mkdir -p "$tmp/tools/art"
printf 'const int TICRATE = 30;\n' >"$tmp/src/core/layout.h"
printf '#include "core/layout.h"\n#include "screens/title.h"\n' >"$tmp/tools/art/pictures.cpp"
finds "tools/art/pictures.cpp:2: tools/ includes screens/title.h" "tools including src/"
grep -q "pictures.cpp:1:" <<<"$out" && { echo "the shared layout refused: $out"; exit 1; }
echo "check-includes passes the tree and catches a loop, an upward include and tools/ reaching into src/"
