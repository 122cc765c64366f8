#!/usr/bin/env bash
# The README's pictures must show the window as it is now: renders every page
# afresh and compares it with the committed picture. Regenerate them with
#   build/src/zandrevio_screenshots docs/screenshots
set -euo pipefail
tool=$1
committed=$2
fresh=$(mktemp -d)
trap 'rm -rf "$fresh"' EXIT
QT_QPA_PLATFORM=offscreen "$tool" "$fresh" 2>/dev/null
status=0
for page in rf traffic cable antenna units planning path; do
    if [ ! -f "$committed/$page.png" ]; then
        echo "missing $committed/$page.png"
        status=1
        continue
    fi
    # Pixels that differ by more than font smoothing could explain.
    differing=$(compare -metric AE -fuzz 20% "$committed/$page.png" "$fresh/$page.png" null: 2>&1 || true)
    if ! [[ "$differing" =~ ^[0-9]+$ ]] || [ "$differing" -gt 600 ]; then
        echo "$page.png is stale ($differing pixels differ): regenerate the screenshots"
        status=1
    fi
done
exit $status
