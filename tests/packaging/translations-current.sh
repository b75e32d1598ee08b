#!/bin/sh
# Every text of the C++ sources and the QML has its German translation: the
# texts are extracted afresh from the source folders below into a copy of
# translations/harbour-vantorel-de.ts, and no text may come out unfinished
# (a new or changed text nobody has translated yet).
#
#   translations-current.sh SOURCE_DIR LUPDATE WORK_DIR
set -eu

TRANSLATED_DIRS="src qml"

source_dir=$1
lupdate=$2
work=$3
rm -rf "$work"
mkdir -p "$work"
copy="$work/harbour-vantorel-de.ts"
cp "$source_dir/translations/harbour-vantorel-de.ts" "$copy"
# shellcheck disable=SC2086 # the folders are words
(cd "$source_dir" && "$lupdate" -silent -locations none $TRANSLATED_DIRS -ts "$copy")

untranslated=$(awk '
    /<source>/ { source = $0; sub(/.*<source>/, "", source); sub(/<\/source>.*/, "", source) }
    /<translation type="unfinished"/ { print "  " source }' "$copy")
if [ -n "$untranslated" ]; then
    echo "Texts in $TRANSLATED_DIRS without a German translation (run the vantorel-update-translations" >&2
    echo "target, then translate them in translations/harbour-vantorel-de.ts):" >&2
    echo "$untranslated" >&2
    exit 1
fi
echo "translations-current.sh: every text in $TRANSLATED_DIRS has its German translation"
