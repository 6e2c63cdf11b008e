#!/usr/bin/env bash
# Writes help files whose pages, contents or index the viewer once took minutes to show, each
# a help file of its own compiled as the help's own (help/compile.cmake), its page at topic
# 1000. They are kept in tests/help/damaged, where the reader's tests and the help file fuzz
# target read them, and the viewer's test opens each (HelpViewerTest::hostileFilesAnswer):
#   unbreakable-run.chm  a paragraph of one run of 100,000 letters, no break opportunity
#   invalid-utf8.chm     100,000 bytes that are no UTF-8, each read as U+FFFD
#   wide-span.chm        a cell spanning 2147483647 columns
#   tall-span.chm        a cell spanning 65536 rows
#   many-cells.chm       one table row of 20,000 cells
#   sparse-grid.chm      a table of 1,000 columns and 1,000 rows made of 2,000 cells
#   stacked-marks.chm    a letter with 100,000 accents stacked on it
#   long-contents.chm    a table of contents of 100,000 entries
#   long-index.chm       a keyword index of 100,000 entries
# The pages of the first seven are kept as well, as NAME.htm in fuzz/regressions/page, where
# the page fuzz target reads them. Remake them after changing this script:
#   tests/help/hostile.sh [OUT_DIR [PAGE_DIR]]   (default tests/help/damaged fuzz/regressions/page)
set -euo pipefail
cd "$(dirname "$0")/../.."
out=$(realpath -m "${1:-tests/help/damaged}")
pages=$(realpath -m "${2:-fuzz/regressions/page}")
chmcmd=$(command -v chmcmd) || {
    echo "hostile.sh: chmcmd was not found (Debian's fp-utils)" >&2
    exit 1
}
mkdir -p "$out" "$pages"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# entries COUNT: COUNT site map entries, each leading to the page.
entries() {
    seq "$1" | awk '{ printf "<LI> <OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"entry %d\"><param name=\"Local\" value=\"page.htm\"></OBJECT>\n", $1 }'
}

# compile NAME BODY_FILE [CONTENTS_ENTRIES INDEX_ENTRIES]: NAME.chm of one page whose body is
# the bytes of BODY_FILE, with contents and index of that many entries (1 each by default).
compile() {
    local name=$1 body=$2 contents=${3:-1} index=${4:-1}
    local dir=$work/$name
    mkdir -p "$dir"
    {
        printf '<html><head><meta http-equiv="Content-Type" content="text/html; charset=utf-8">'
        printf '<title>%s</title></head><body><h1>%s</h1>\n' "$name" "$name"
        cat "$body"
        printf '\n</body></html>\n'
    } >"$dir/page.htm"
    for map in contents.hhc:"$contents" index.hhk:"$index"; do
        {
            printf '<html><head><meta http-equiv="Content-Type" content="text/html; charset=utf-8"></head><body>\n<UL>\n'
            entries "${map#*:}"
            printf '</UL>\n</body></html>\n'
        } >"$dir/${map%:*}"
    done
    cat >"$dir/$name.hhp" <<EOF
[OPTIONS]
Compatibility=1.1 or later
Compiled file=$name.chm
Contents file=contents.hhc
Default topic=page.htm
Display compile progress=No
Index file=index.hhk
Language=0x411 Japanese
Title=$name

[FILES]
page.htm

[ALIAS]
IDH_PAGE=page.htm

[MAP]
#define IDH_PAGE 1000
EOF
    SOURCE_DATE_EPOCH=0 cmake -DCHMCMD="$chmcmd" -DPROJECT="$dir/$name.hhp" -DOUTPUT="$out/$name.chm" -DVERSION=0 \
        -P help/compile.cmake
    echo "$out/$name.chm: $(stat -c %s "$out/$name.chm") bytes"
    if [ "$contents$index" = 11 ]; then
        cp "$dir/page.htm" "$pages/$name.htm"
    fi
}

# repeat COUNT TEXT: TEXT written COUNT times.
repeat() {
    awk -v count="$1" -v text="$2" 'BEGIN { for (i = 0; i < count; ++i) printf "%s", text }'
}

{ printf '<p>'; repeat 100000 x; printf '</p>'; } >"$work/run"
compile unbreakable-run "$work/run"
{ printf '<p>'; head -c 100000 /dev/zero | tr '\0' '\377'; printf '</p>'; } >"$work/invalid"
compile invalid-utf8 "$work/invalid"
printf '<table border="1"><tr><td colspan="2147483647">wide</td></tr><tr><td>a</td><td>b</td></tr></table>' >"$work/wide"
compile wide-span "$work/wide"
printf '<table border="1"><tr><td rowspan="65536">tall</td><td>a</td></tr><tr><td>b</td></tr></table>' >"$work/tall"
compile tall-span "$work/tall"
{ printf '<table border="1"><tr>'; repeat 20000 '<td>c'; printf '</tr></table>'; } >"$work/cells"
compile many-cells "$work/cells"
{ printf '<table border="1"><tr>'; repeat 1000 '<td>c'; repeat 999 '<tr><td>r'; printf '</table>'; } >"$work/grid"
compile sparse-grid "$work/grid"
{ printf '<p>a'; repeat 100000 "$(printf '\314\201')"; printf '</p>'; } >"$work/marks"
compile stacked-marks "$work/marks"
printf '<p>contents</p>' >"$work/plain"
compile long-contents "$work/plain" 100000 1
compile long-index "$work/plain" 1 100000
