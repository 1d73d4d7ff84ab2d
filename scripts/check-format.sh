#!/usr/bin/env bash
# Fails when a line of C++ changed since the branch left main (committed or not) is not in the
# repository's clang-format style (.clang-format). Lines nobody changed are left as they are.
#   check-format.sh [REPOSITORY]
# Exit 77 (skipped) where git, clang-format or a main branch is missing.
set -uo pipefail

repo=${1:-$(dirname "$0")/..}
cd "$repo" || exit 2
formatter=$(command -v git-clang-format || command -v git-clang-format-14 || true)
if [ -z "$formatter" ] || ! git rev-parse --git-dir >/dev/null 2>&1; then
    echo "git or git-clang-format missing: format check skipped"
    exit 77
fi
base=$(git merge-base HEAD main 2>/dev/null || true)
if [ -z "$base" ]; then
    echo "no main branch to compare with: format check skipped"
    exit 77
fi
out=$("$formatter" --diff "$base" -- '*.cpp' '*.h' 2>&1)
if printf '%s\n' "$out" | grep -q '^diff '; then
    printf '%s\n' "$out"
    echo "changed lines differ from the clang-format style: run git clang-format $base"
    exit 1
fi
echo "changed lines follow the clang-format style"
