#!/usr/bin/env bash
# Extracts the texts the user sees into translations/vantric-chat.ts (the build's lupdate
# target) and checks that the catalogue holds every one: each tr(),
# QCoreApplication::translate() with a literal text, QT_TR_NOOP() or QT_TRANSLATE_NOOP() in
# src/ must appear in it at its file and line, and nothing else may (lines, not calls: lupdate
# keeps one place for the same text given twice on one line).
# Usage: scripts/check-translations.sh BUILD_DIR   (a configured build of this repository)
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="$1"
catalogue="$top/translations/vantric-chat.ts"

cmake --build "$build" --target vantric-chat_lupdate >/dev/null

calls=$(cd "$top" && grep -rnoE --include='*.cpp' --include='*.h' \
    -e '\btr\(|QT_TR_NOOP\(|QT_TRANSLATE_NOOP\(' \
    -e 'QCoreApplication::translate\(([[:space:]]*$|"[^"]*",[[:space:]]*("|$))' src | cut -d: -f1,2 | sort -u)
extracted=$(grep -oE 'filename="[^"]*" line="[0-9]+"' "$catalogue" |
    sed -E 's|filename="(\.\./)?([^"]*)" line="([0-9]+)"|\2:\3|' | sort -u)
if [ "$calls" != "$extracted" ]; then
    echo "check-translations: the catalogue and the tr() calls differ (< only in src/, > only" \
        "in the catalogue):" >&2
    diff <(echo "$calls") <(echo "$extracted") >&2 || true
    exit 1
fi
echo "check-translations: all $(echo "$calls" | grep -c .) tr() calls of src/ are in" \
    "translations/vantric-chat.ts"
