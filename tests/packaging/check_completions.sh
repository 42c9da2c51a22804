#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# The installed completions, with the installed program first on PATH:
#   check_completions.sh STAGE
# bash: registered for tessel-config, and what it offers for a few command lines; zsh and fish:
# their files load without an error, and fish offers the same command.
set -u
stage=$1
failures=0
export PATH="$stage/usr/bin:$PATH"
bash_file=$stage/usr/share/bash-completion/completions/tessel-config

if [ -f /usr/share/bash-completion/bash_completion ]; then
    # shellcheck disable=SC1091
    source /usr/share/bash-completion/bash_completion
    # shellcheck disable=SC1090
    source "$bash_file"
    complete -p tessel-config | grep -q -- '-F _tessel_config tessel-config' ||
        { echo "bash: tessel-config is not registered"; failures=1; }

    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    cd "$work" && touch profile.txt

    # offers LINE: what bash offers at the end of LINE, one sorted line.
    offers() {
        COMP_LINE=$1
        COMP_POINT=${#COMP_LINE}
        read -r -a COMP_WORDS <<<"$COMP_LINE"
        [[ $COMP_LINE == *' ' ]] && COMP_WORDS+=('')
        COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
        COMPREPLY=()
        _tessel_config tessel-config "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
        ((${#COMPREPLY[@]})) && printf "%s\n" "${COMPREPLY[@]}" | sort | tr "\n" " "
    }
    ports=$(tessel-config list-ports | awk 'NR > 1 { print $1 }' | sort | tr '\n' ' ')
    while IFS='|' read -r line expected; do
        got=$(offers "$line")
        if [ "$got" != "$expected" ]; then
            echo "bash: \"$line\" offers \"$got\", expected \"$expected\""
            failures=1
        fi
    done <<EOF
tessel-config wr|write 
tessel-config p|production profile.txt program 
tessel-config read --o|--output 
tessel-config write --n|--no-backup --no-verify 
tessel-config program profile.txt --kind |tessel threshold 
tessel-config write |profile.txt 
tessel-config write profile.txt |
tessel-config help d|diff 
tessel-config identify --port |$ports
EOF
else
    echo "bash-completion is not installed: bash cases skipped"
fi

if command -v zsh >/dev/null; then
    zsh -n "$stage/usr/share/zsh/vendor-completions/_tessel-config" &&
        zsh -fc "fpath=($stage/usr/share/zsh/vendor-completions \$fpath); autoload -Uz +X _tessel-config" ||
        { echo "zsh: the completion does not load"; failures=1; }
fi
if command -v fish >/dev/null; then
    got=$(fish --no-config -c "source $stage/usr/share/fish/vendor_completions.d/tessel-config.fish; complete -C 'tessel-config wr'" 2>&1)
    [[ $got == write* ]] || { echo "fish: \"tessel-config wr\" offers \"$got\""; failures=1; }
fi
exit $failures
