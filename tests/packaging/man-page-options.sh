#!/bin/sh
# Every option that `ombrelia-render --help` lists is in its manual page, as a
# reader sees it: catches a page that help2man misread or that went stale.
# Usage: man-page-options.sh OMBRELIA_RENDER PAGE
set -u
options=$("$1" --help | grep -oE '(^|[[:space:],])--?[[:alpha:]][[:alnum:]-]*' |
          sed 's/^[[:space:],]*//' | sort -u)
[ -n "$options" ] || { echo "FAIL: no options found in --help"; exit 1; }
# No hyphenation and no justification, so that every option stays whole.
page=$(MANWIDTH=1000 man --nh --nj -l "$2" | col -b)
missing=""
for option in $options; do
    printf '%s\n' "$page" | grep -qE -- "(^|[^[:alnum:]-])$option([^[:alnum:]-]|\$)" ||
        missing="$missing $option"
done
[ -z "$missing" ] || { echo "FAIL: not in the manual page:$missing"; exit 1; }
echo "PASS: all $(echo "$options" | wc -l) options are in the manual page"
