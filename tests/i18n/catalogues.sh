#!/usr/bin/env bash
# The English catalogues against the sources.
#   check:  every text of the sources has a finished, non-empty English
#           translation (the catalogues are merged into scratch copies).
#   update: merges the sources' texts into translations/pakkon_en.ts and
#           translations/en.po; new texts arrive untranslated.
# usage: catalogues.sh check|update SOURCE_DIR LUPDATE XGETTEXT MSGMERGE MSGATTRIB
set -euo pipefail
mode=$1 root=$2 lupdate=$3 xgettext=$4 msgmerge=$5 msgattrib=$6
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$root"

# The window's texts: tr(), QCoreApplication::translate, QT_TRANSLATE_NOOP.
ts=translations/pakkon_en.ts
[ "$mode" = check ] && { cp "$ts" "$scratch/pakkon_en.ts"; ts=$scratch/pakkon_en.ts; }
"$lupdate" -silent -locations none -no-obsolete -source-language ja -target-language en \
  -extensions cpp,h src -ts "$ts" 2>"$scratch/lupdate.log" || { cat "$scratch/lupdate.log"; exit 1; }

# The core's texts: fncText, fncText_mark, fncText_message.
mapfile -t sources < <(find src -name '*.cpp' -o -name '*.h' | LC_ALL=C sort)
"$xgettext" --from-code=UTF-8 --language=C++ --keyword= --keyword=fncText --keyword=fncText_mark \
  --keyword=fncText_message --flag=fncText_message:1:qt-format --qt --add-location=never --sort-output \
  --package-name=pakkon -o "$scratch/pakkon.pot" "${sources[@]}"
po=translations/en.po
if [ "$mode" = update ]; then
  "$msgmerge" --quiet --update --backup=none "$po" "$scratch/pakkon.pot"
  "$msgattrib" --no-obsolete --sort-output -o "$po" "$po"
  sed -i '/^"POT-Creation-Date: /d' "$po"
  echo "Brought $ts and $po up to date."
  exit 0
fi
"$msgmerge" --quiet -o "$scratch/en.po" "$po" "$scratch/pakkon.pot"

failed=0
# An unfinished or empty translation, with its source text.
unfinished=$(python3 - "$ts" <<'PY'
import sys, xml.etree.ElementTree as ET
for m in ET.parse(sys.argv[1]).iter('message'):
    # A carriage return is an element of its own (<byte value="xd"/>).
    text = lambda e: ''.join(e.itertext())
    t = m.find('translation')
    forms = [text(f) for f in t.findall('numerusform')] if m.get('numerus') == 'yes' else [text(t)]
    if t.get('type') in ('unfinished', 'vanished', 'obsolete') or not all(f.strip() for f in forms):
        print(' ', repr(text(m.find('source'))))
PY
)
if [ -n "$unfinished" ]; then
  echo "Window texts without an English translation (translations/pakkon_en.ts):"
  echo "$unfinished"
  failed=1
fi
for kind in untranslated only-fuzzy; do
  # Nothing at all when every entry is fine; else the entries, header first.
  entries=$("$msgattrib" --$kind --no-obsolete --no-wrap "$scratch/en.po" | awk '/^msgid /{n++} n>1' || true)
  if [ -n "$entries" ]; then
    echo "Core texts ${kind#only-} in translations/en.po:"
    echo "$entries"
    failed=1
  fi
done
if [ $failed -ne 0 ]; then
  echo "Run: cmake --build BUILD --target translations_update, then translate the texts named above."
  exit 1
fi
echo "Every text has its English translation."
