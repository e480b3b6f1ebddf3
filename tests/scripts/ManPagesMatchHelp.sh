#!/usr/bin/env bash
# Each manual page names exactly the options its program's --help lists, and
# carries the version the program reports.
# Usage: ManPagesMatchHelp.sh MAN_DIR VERSION PROGRAM...
set -euo pipefail
man_dir=$1 version=$2
shift 2
status=0
for program in "$@"; do
  name=$(basename "$program")
  page="$man_dir/$name.1"
  # Options as --help writes them, and as the page does with its dashes escaped.
  help_options=$("$program" --help | grep -oE '(^|[][ |,])--?[a-z][a-z-]*' | grep -oE -- '--?[a-z][a-z-]*' | sort -u)
  page_options=$(sed 's/\\-/-/g' "$page" | grep -oE '(^|[][ |,])--?[a-z][a-z-]*' | grep -oE -- '--?[a-z][a-z-]*' | sort -u)
  if [ "$help_options" != "$page_options" ]; then
    echo "$name: --help and $page name different options:"
    diff <(echo "$help_options") <(echo "$page_options") || true
    status=1
  fi
  if ! head -n 1 "$page" | grep -qF "\"Vantaro $version\""; then
    echo "$name: $page does not carry version $version"
    status=1
  fi
done
if [ $status -eq 0 ]; then echo "1 passed, 0 failed"; else echo "0 passed, 1 failed"; fi
exit $status
