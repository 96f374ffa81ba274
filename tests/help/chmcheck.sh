#!/usr/bin/env bash
# chmcheck.sh CHM STRINGS_RC: checks the built help file with a CHM reader of its own (chmlib's
# extract_chmLib, not the compiler that made the file):
#   - the file opens, and holds its contents (Vireo.hhc) and index (Vireo.hhk), each with
#     entries, and every topic that they name;
#   - every page declares code page 1251 and is Russian text in it;
#   - every registry path of the settings catalogue, every setting's caption and every entry of
#     the launch menus appears in the text of the pages. The catalogue is read here from
#     strings.rc on its own, without the code that generates the pages.
# Prints ok:/FAIL: lines and a closing "chmcheck: N passed, M failed" line.
set -uo pipefail

chm=$1 rc=$2 passed=0 failed=0
ok() { passed=$((passed + 1)) && printf 'ok: %s\n' "$*"; }
fail() { failed=$((failed + 1)) && printf 'FAIL: %s\n' "$*"; }
finish() { printf 'chmcheck: %d passed, %d failed\n' "$passed" "$failed" && exit $((failed > 0)); }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if ! extract_chmLib "$chm" "$work/chm" >/dev/null 2>&1 || [ ! -d "$work/chm" ]; then
  fail "extract_chmLib cannot open $chm" && finish
fi
ok "extract_chmLib opens $(basename "$chm")"

# The contents and the index: present, with entries, and naming topics that the file holds.
for list in Vireo.hhc Vireo.hhk; do
  file=$work/chm/$list
  entries=$(grep -ci '<param name="Name"' "$file" 2>/dev/null)
  missing=$(sed -n 's/.*<param name="Local" value="\([^"#]*\).*/\1/Ip' "$file" 2>/dev/null |
    sort -u | while read -r topic; do [ -f "$work/chm/$topic" ] || echo "$topic"; done)
  if [ "${entries:-0}" -lt 12 ]; then
    fail "$list is missing or has only ${entries:-0} entries"
  elif [ -n "$missing" ]; then
    fail "$list names topics that the file lacks: ${missing//$'\n'/ }"
  else
    ok "$list has $entries entries, every topic present"
  fi
done

# The pages as text: from code page 1251, with the entities written out.
pages=("$work"/chm/*.html)
bad=$(cd "$work/chm" && grep -Li 'charset=windows-1251' ./*.html)
if [ -z "$bad" ]; then
  ok "${#pages[@]} pages declare charset=windows-1251"
else
  fail "pages without charset=windows-1251: ${bad//$'\n'/ }"
fi
text=$work/text
iconv -f CP1251 -t UTF-8 "${pages[@]}" | sed 's/&quot;/"/g; s/&lt;/</g; s/&gt;/>/g; s/&amp;/\&/g' >"$text"
if grep -q 'Панель управления' "$text" && ! grep -q 'Панель управления' "${pages[@]}"; then
  ok "the pages are Russian text in code page 1251"
else
  fail "the pages are not Russian text in code page 1251"
fi

# The catalogue's entries with ids from FIRST to LAST, unescaped as the resource compiler reads
# them ("" is one quotation mark, \\ one backslash), one a line.
entries() {
  sed -n 's/^ *\([0-9][0-9]*\), *"\(.*\)" *$/\1 \2/p' "$rc" |
    awk -v first="$1" -v last="$2" '$1 >= first && $1 <= last { sub(/^[0-9]+ /, ""); print }' |
    sed 's/""/"/g; s/\\\\/\\/g'
}

# Checks that every text given on stdin (one a line) appears in the pages.
appear() {
  local what=$1 count=0 line absent=()
  while IFS= read -r line; do
    [ -n "$line" ] || continue
    count=$((count + 1))
    grep -qF -- "$line" "$text" || absent+=("$line")
  done
  if [ "$count" -eq 0 ]; then
    fail "$what: none found in the catalogue"
  elif [ ${#absent[@]} -gt 0 ]; then
    fail "$what: $((${#absent[@]})) of $count missing: $(printf '[%s] ' "${absent[@]}")"
  else
    ok "$what: all $count appear"
  fi
}

appear "registry values of the restriction boxes" < <(entries 1001 1024)
appear "registry paths of the text settings" < <(entries 5000 5016 | tr '|' '\n')
appear "registry keys of the My Computer boxes" < <(entries 7000 7002)
appear "registry path of the choice setting" < <(entries 11000 11000)
appear "registry paths of the check settings" < <(entries 13000 13017)
appear "captions of the catalogue settings" < <(
  entries 1 24
  entries 4000 4016
  entries 6000 6002
  entries 8000 8000
  entries 17000 17017
)
appear "choices of the choice setting" < <(entries 10000 10000 | tr '|' '\n')
# The launch menus' captions (separators aside).
appear "entries of the launch menus" < <(
  { entries 2001 2024 && entries 3001 3021; } | sed -n 's/^[^|]*|//p' | grep -vx -- '-'
)
finish
