#!/usr/bin/env bash
# Checks that every translation is complete for what ships, and says what is not:
#   - each program has a .ts for every language of translations/languages.txt;
#   - lupdate run over the code into a copy of each .ts changes nothing (a new, changed or
#     removed text in the code fails here until the .ts files are updated and translated);
#   - no entry is unfinished or obsolete;
#   - every translation keeps the %1-style arguments of its source text.
# With --update, runs lupdate over the .ts files in place first (new texts come in
# unfinished, removed ones are dropped): then translate what the check lists.
# The browser piano's JSON files are checked by the part below the Qt catalogues.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
lupdate="${LUPDATE:-$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)}"
python=/usr/bin/python3
update=false
[ "${1:-}" = "--update" ] && update=true

# Each catalogue and the folders whose texts it holds.
declare -A sources=(
  [tamber-piano]="client common"
  [corvent-server]="server common"
)
languages=$(grep -E '^[a-z]' translations/languages.txt | cut -d' ' -f1)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failed=0

for catalogue in "${!sources[@]}"; do
  files=()
  for code in $languages; do
    ts="translations/${catalogue}_${code}.ts"
    if [ ! -f "$ts" ] && ! $update; then
      echo "missing: $ts" >&2
      failed=1
      continue
    fi
    files+=("$ts")
  done
  # shellcheck disable=SC2086 # the folder list splits on purpose
  if $update; then
    "$lupdate" -silent -locations none -no-obsolete ${sources[$catalogue]} -ts "${files[@]}"
  fi
  copies=()
  for ts in "${files[@]}"; do
    cp "$ts" "$scratch/"
    copies+=("$scratch/$(basename "$ts")")
  done
  # shellcheck disable=SC2086
  "$lupdate" -silent -locations none ${sources[$catalogue]} -ts "${copies[@]}" >/dev/null
  for ts in "${files[@]}"; do
    if ! diff -u "$ts" "$scratch/$(basename "$ts")" >"$scratch/diff"; then
      echo "out of date with the code (run scripts/check-translations.sh --update): $ts" >&2
      head -40 "$scratch/diff" >&2
      failed=1
    fi
  done
done

# Unfinished, obsolete and vanished entries, and arguments lost in translation.
"$python" - translations/*.ts <<'PY' || failed=1
import re, sys
import xml.etree.ElementTree as ET
bad = 0
for path in sys.argv[1:]:
    for context in ET.parse(path).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            source = message.findtext("source") or ""
            translation = message.find("translation")
            kind = translation.get("type") if translation is not None else "missing"
            # A plural text has one form per plural of the language, each checked alone.
            forms = translation.findall("numerusform") if translation is not None else []
            texts = [form.text or "" for form in forms] if forms else [
                (translation.text or "") if translation is not None else ""]
            where = f"{path}: {name}: {source!r}"
            wanted = sorted(re.findall(r"%\d|%n", source))
            if kind in ("unfinished", "obsolete", "vanished", "missing") or not all(texts):
                print(f"{where}: {kind or 'empty'}", file=sys.stderr)
                bad = 1
            else:
                for text in texts:
                    if wanted != sorted(re.findall(r"%\d|%n", text)):
                        print(f"{where}: the arguments differ in {text!r}", file=sys.stderr)
                        bad = 1
sys.exit(bad)
PY

# The browser piano's texts: one JSON file per language in web/i18n/, the same languages.
if node=$(command -v node); then
  "$node" tests/web/translation-check.mjs "$root" || failed=1
else
  echo "node is missing: the browser piano's texts (web/i18n/) are not checked" >&2
fi

if [ "$failed" -ne 0 ]; then
  echo "Translations are not complete; see above." >&2
  exit 1
fi
echo "Translations complete: $(echo $languages | wc -w) languages."
