#!/usr/bin/env bash
# The long soaks: random edits through the editor's window against zt461-sim, on a clean line
# and with line faults. Prints, per run, how many parameters the processor missed.
# Environment: SOAK_EDITS (default 20000). Needs the normal build (scripts/test.sh makes it).
set -euo pipefail
cd "$(dirname "$0")/.."
edits=${SOAK_EDITS:-20000}
export QT_QPA_PLATFORM=offscreen
for flags in "" "--drop-acks=0.01 --seed=7" "--lose-frames=0.01 --seed=7"; do
    echo "== soak, $edits edits, simulator flags: ${flags:-none}"
    ZT_SOAK_EDITS=$edits ZT_SOAK_FLAGS="$flags" build/tests/test_e2e --gtest_filter='Soak.*' |
        grep -E '^soak:|OK|FAILED|differs' || true
done
