#!/usr/bin/env bash
# Fails when a C++ file changed since the branch left main (committed, uncommitted or new) is not
# wholly in the repository's clang-format style (.clang-format). Files nobody changed are not read.
#   check-format.sh [REPOSITORY]
# Exit 77 (skipped) where git, clang-format or a main branch is missing.
set -uo pipefail

repo=${1:-$(dirname "$0")/..}
cd "$repo" || exit 2
formatter=$(command -v clang-format || command -v clang-format-14 || true)
if [ -z "$formatter" ] || ! git rev-parse --git-dir >/dev/null 2>&1; then
    echo "git or clang-format missing: format check skipped"
    exit 77
fi
base=$(git merge-base HEAD main 2>/dev/null || true)
if [ -z "$base" ]; then
    echo "no main branch to compare with: format check skipped"
    exit 77
fi
mapfile -t files < <({
    git diff --name-only --diff-filter=d "$base" -- '*.cpp' '*.h'
    git ls-files --others --exclude-standard -- '*.cpp' '*.h'
} | sort -u)
drifting=()
for file in "${files[@]}"; do
    [ -f "$file" ] || continue
    "$formatter" --dry-run --Werror "$file" >/dev/null 2>&1 || drifting+=("$file")
done
if [ ${#drifting[@]} -gt 0 ]; then
    for file in "${drifting[@]}"; do
        "$formatter" "$file" | diff -u --label "$file" --label "$file (formatted)" "$file" -
    done
    echo "${#drifting[@]} changed file(s) differ from the clang-format style: run clang-format -i on them"
    exit 1
fi
echo "${#files[@]} changed file(s) follow the clang-format style"
