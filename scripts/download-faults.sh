#!/usr/bin/env bash
# Download success per fault share: the editor against zt461-sim with lost replies, lost
# acknowledgements, corrupted checksums and noise before answers, one program per fault side by
# side, each at the shares in SHARES with DOWNLOADS downloads a share.
set -euo pipefail
cd "$(dirname "$0")/.."
program=build/bench/bench_download_faults
cmake --build build --target bench_download_faults >/dev/null
shares=${SHARES:-"0.01 0.03 0.10 0.20"}
downloads=${DOWNLOADS:-5}
out=$(mktemp -d)
for fault in --drop-replies --drop-acks --corrupt-checksums --garbage; do
    # shellcheck disable=SC2086
    QT_QPA_PLATFORM=offscreen "$program" "$fault" $shares --downloads "$downloads" \
        >"$out/$fault.txt" 2>/dev/null &
done
wait
cat "$out"/*.txt
rm -rf "$out"
