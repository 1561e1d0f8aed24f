#!/usr/bin/env bash
# check-man.sh <build dir> <rlx-devsim>: installs the build into a scratch
# prefix and checks its manual pages.
set -uo pipefail
build=$1
devsim=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failed=0
fail() {
    echo "FAIL: $*"
    failed=1
}

cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install"
pages="$prefix/share/man/man1"
for page in rlx-cli rlx-configurator rlx-devsim; do
    file="$pages/$page.1.gz"
    if [ ! -f "$file" ]; then
        fail "$file was not installed"
        continue
    fi
    gzip -t "$file" || fail "$file is not gzip"
    # gzip -n: no file name and no time stamp in the header.
    header=$(od -An -tu1 -N8 "$file" | tr -s ' ')
    [ "$header" = " 31 139 8 0 0 0 0 0" ] || fail "$file: gzip header $header, not from gzip -n"
    warnings=$(MANWIDTH=80 man --warnings -l "$file" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$page: $warnings"
    text=$(MANWIDTH=80 man -l "$file" 2>/dev/null)
    for section in NAME SYNOPSIS DESCRIPTION; do
        grep -q "^$section" <<<"$text" || fail "$page has no $section"
    done
    grep -q "rlx-configurator [0-9]" <<<"$text" || fail "$page does not show the version"
done

# rlx-devsim's page documents exactly the options the program takes: those
# after .TP in the page against those of --help.
page_options=$(zcat "$pages/rlx-devsim.1.gz" | grep --no-group-separator -A1 '^\.TP' | grep -v '^\.TP' |
    sed 's/\\-/-/g' | grep -o -- '--[a-z-]*' | sort -u)
help_options=$("$devsim" --help | grep -o -- '^ *\(-h, \)\?--[a-z-]*' | grep -o -- '--[a-z-]*' |
    sort -u)
[ -n "$help_options" ] || fail "rlx-devsim --help lists no options"
if [ "$page_options" != "$help_options" ]; then
    fail "rlx-devsim options: page and --help differ"
    diff <(echo "$page_options") <(echo "$help_options")
fi

# The exit codes the page gives.
"$devsim" --no-such-option >/dev/null 2>&1
[ $? -eq 1 ] || fail "rlx-devsim: an unknown option does not end with 1"
timeout 10 "$devsim" --no-announce --poll-loss 400 >/dev/null 2>&1
[ $? -eq 2 ] || fail "rlx-devsim: an invalid value does not end with 2"

[ "$failed" -eq 0 ] && echo "man pages: rlx-cli, rlx-configurator, rlx-devsim installed and clean"
exit $failed
