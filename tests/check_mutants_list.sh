#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Fails when a line of scripts/mutants.list no longer finds the text it changes at the line it
# names (read as ../shared/tools/mutate reads it): such a mutant is reported "missing" and
# proves nothing, so an edit above it, or a file moved, would silently take it out of the
# sample. Fix the line number and keep the change. The files are read as last committed, where
# there is a repository: the mutation tool runs this suite with one fault in place.
# A fault listed twice costs a whole run of the suite for nothing, and fails as well.
#   tests/check_mutants_list.sh PROJECT_ROOT
set -u
cd "$1" && [ -s scripts/mutants.list ] || { echo "no scripts/mutants.list" >&2; exit 2; }
committed() { git show "HEAD:$1" 2>/dev/null; }
git rev-parse --verify -q HEAD >/dev/null 2>&1 || committed() { cat "$1" 2>/dev/null; }
stale=0
rows=0
while IFS= read -r row || [ -n "$row" ]; do
  case "$row" in '' | '#'*) continue ;; esac
  rows=$((rows + 1))
  file=${row%%:*}; rest=${row#*:}; line=${rest%%:*}; change=${rest#*: }; old=${change%% ==> *}
  if ! committed "$file" | sed -n "${line}p" | grep -qF -- "$old"; then
    echo "stale: $row" >&2
    stale=1
  fi
done < scripts/mutants.list
repeated=$(grep -v '^#' scripts/mutants.list | grep . | sort | uniq -d)
if [ -n "$repeated" ]; then
  echo "listed twice: $repeated" >&2
  stale=1
fi
[ $rows -gt 0 ] || { echo "no faults listed" >&2; exit 2; }
exit $stale
