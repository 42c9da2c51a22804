#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Fails when a line of scripts/mutants.list no longer finds the text it changes at the line it
# names (read as ../shared/tools/mutate reads it): such a mutant is reported "missing" and
# proves nothing, so an edit above it, or a file moved, would silently take it out of the
# sample. Fix the line number and keep the change.
#   tests/check_mutants_list.sh PROJECT_ROOT
set -u
cd "$1" || exit 2
stale=0
while IFS= read -r row || [ -n "$row" ]; do
  case "$row" in '' | '#'*) continue ;; esac
  file=${row%%:*}; rest=${row#*:}; line=${rest%%:*}; change=${rest#*: }; old=${change%% ==> *}
  if [ ! -f "$file" ] || ! sed -n "${line}p" "$file" | grep -qF -- "$old"; then
    echo "stale: $row" >&2
    stale=1
  fi
done < scripts/mutants.list
exit $stale
