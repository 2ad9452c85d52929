#!/usr/bin/env bash
# Checks that every translation is complete for what ships, and says what is not:
#   - each program has a .ts for every language of translations/languages.txt;
#   - lupdate run over the code into a copy of each .ts changes nothing (a new, changed or
#     removed text in the code fails here until the .ts files are updated and translated);
#   - no entry is unfinished or obsolete;
#   - every translation keeps the %1-style arguments of its source text;
#   - the piano's help page is there in every language, in the English page's shape.
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

# The piano's help page: one per language beside the English one (help/index.<code>.html),
# with its headings and paragraphs in the same order, and in each section the same menu and
# control names (in <i>) as the English one, as that language's catalogue shows them.
# shellcheck disable=SC2086
"$python" - client/shell/help $languages <<'PY' || failed=1
import re, sys
import xml.etree.ElementTree as ET
from html.parser import HTMLParser

class Page(HTMLParser):
    def __init__(self, path):
        super().__init__()
        self.lang, self.blocks, self.names, self.italic = None, [], [[]], None
        with open(path, encoding="utf-8") as f:
            self.feed(f.read())
    def handle_starttag(self, tag, attrs):
        if tag == "html":
            self.lang = dict(attrs).get("lang")
        elif tag in ("h1", "h2", "h3", "p", "ul", "ol", "li", "table", "pre"):
            self.blocks.append(tag)
            if tag in ("h1", "h2"):
                self.names.append([])
        elif tag == "i":
            self.italic = ""
    def handle_data(self, data):
        if self.italic is not None:
            self.italic += data
    def handle_endtag(self, tag):
        if tag == "i" and self.italic is not None:
            self.names[-1].append(" ".join(self.italic.split()))
            self.italic = None

def shown(text):  # as a menu shows it: no accelerator mark
    return re.sub(r"\(&[^&)]\)", "", text).replace("&&", "\0").replace("&", "").replace("\0", "&")

folder, languages = sys.argv[1], sys.argv[2:]
english = Page(f"{folder}/index.html")
bad = 0
def fail(message):
    global bad
    print(message, file=sys.stderr)
    bad = 1
for code in languages:
    path = f"{folder}/index.{code}.html"
    try:
        page = Page(path)
    except FileNotFoundError:
        fail(f"missing: {path}")
        continue
    if page.lang != code.replace("_", "-"):
        fail(f"{path}: <html lang> is {page.lang!r}, not {code.replace('_', '-')!r}")
    if page.blocks != english.blocks:
        fail(f"{path}: its headings and paragraphs differ from index.html's:\n"
             f"  {' '.join(page.blocks)}\n  {' '.join(english.blocks)}")
        continue
    names = {}
    for message in ET.parse(f"translations/tamber-piano_{code}.ts").iter("message"):
        source = shown(message.findtext("source") or "")
        names.setdefault(source, set()).add(shown(message.findtext("translation") or ""))
    for section, (ours, theirs) in enumerate(zip(english.names, page.names)):
        left = list(theirs)
        for name in ours:
            parts = name.split(" > ")
            if not all(part in names for part in parts):
                fail(f"index.html: {name!r} is not a name the piano shows")
                continue
            # Every way the catalogue may say each part ("Play" is a button and a menu item).
            wanted = {""}
            for part in parts:
                wanted = {w + (" > " if w else "") + t for w in wanted for t in names[part]}
            found = next((n for n in left if n in wanted), None)
            if found is None:
                fail(f"{path}: section {section} does not name {name!r} as the piano does: "
                     f"{' or '.join(sorted(wanted))}")
            else:
                left.remove(found)
        for name in left:
            fail(f"{path}: section {section} names {name!r}, which index.html does not")
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
