#!/usr/bin/env bash
# Runs format_page_test.html in headless Chromium against the formatting page given as $1 and
# fails unless every case passed. With $2, also saves a picture of the page as it was left.
set -euo pipefail
page=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
url="file://$here/format_page_test.html?page=file://$page"
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
# Root (as in CI) needs --no-sandbox; the test page reads the page it loads, which file://
# addresses allow only with --allow-file-access-from-files.
flags=(--headless --no-sandbox --disable-gpu --no-first-run --user-data-dir="$profile"
       --allow-file-access-from-files --virtual-time-budget=20000)
dom=$(timeout 120 chromium "${flags[@]}" --dump-dom "$url" 2>/dev/null)
report=$(printf '%s\n' "$dom" | sed -n '/<pre id="report">/,/<\/pre>/p' | sed 's/<[^>]*>//g')
printf '%s\n' "$report"
grep -q '^DONE [0-9]* passed, 0 failed' <<<"$report"
if [ $# -ge 2 ]; then
    timeout 120 chromium "${flags[@]}" --window-size=1100,1000 --hide-scrollbars \
        --screenshot="$(realpath "$2")" "$url" >/dev/null 2>&1
fi
