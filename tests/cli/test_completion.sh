#!/usr/bin/env bash
# The bash completion of accrua-cli, as built from its --help, completes the
# commands, options, option values and file names; a usage text with
# frequency options completes the frequency names.
#   test_completion.sh COMPLETION_FILE COMPLETION_GENERATOR
set -uo pipefail

completion="$(realpath "${1:?usage: test_completion.sh COMPLETION_FILE COMPLETION_GENERATOR}")"
generator="$(realpath "${2:?usage: test_completion.sh COMPLETION_FILE COMPLETION_GENERATOR}")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# shellcheck disable=SC1091
source /usr/share/bash-completion/bash_completion

# A usage text in the shape of accrua-cli's, with the frequency options of a
# command still to come.
cat >"$work/help.txt" <<'EOF'
usage: accrua-cli COMMAND [OPTIONS]

Commands:
  plan     --principal P --frequency FREQ --compounding FREQ [--rows all|none]
           a plan
EOF
printf '#!/bin/sh\ncat "%s"\n' "$work/help.txt" >"$work/fake-cli"
chmod +x "$work/fake-cli"
bash "$generator" "$work/fake-cli" bash "$work/fake-completion" || exit 1

mkdir -p "$work/files/pages"
touch "$work/files/loan.ARP" "$work/files/loan.pdf" "$work/files/list.csv"
cd "$work/files" || exit 1

# The line typed so far (completing its last word) | what is offered, sorted.
cases=(
  "accrua-cli pa|pages payment"
  "accrua-cli --v|--version"
  "accrua-cli payment --res|--resolution"
  "accrua-cli savings --compounded |bi-yearly monthly quarterly yearly"
  "accrua-cli savings --compounded=q|quarterly"
  "accrua-cli batch --rows n|none"
  "accrua-cli batch --i|--input"
  "accrua-cli payment --principal |"
  "accrua-cli payment --csv l|list.csv loan.ARP loan.pdf"
  "accrua-cli render loan.ARP --pdf l|loan.pdf"
  "accrua-cli render loan.ARP --png p|pages"
  "accrua-cli pages l|list.csv loan.ARP loan.pdf"
  "fake plan --frequency s|semi-annual semi-monthly"
  "fake plan --frequency every|every-2-months every-2-weeks every-4-weeks"
  "fake plan --compounding d|daily"
  "fake plan --rows |all none"
)

failures=0
for case in "${cases[@]}"; do
  line="${case%%|*}"
  expected="${case#*|}"
  file="$completion"
  if [[ $line == fake* ]]; then
    file="$work/fake-completion"
    line="accrua-cli${line#fake}"
  fi
  # As bash splits the line: blanks part words, and so does "=".
  read -ra COMP_WORDS <<<"${line//=/ = }"
  [[ $line == *" " ]] && COMP_WORDS+=("")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMP_LINE="$line"
  COMP_POINT=${#line}
  COMPREPLY=()
  # shellcheck disable=SC1090
  (source "$file" && _accrua_cli && printf '%s\n' "${COMPREPLY[@]}") >"$work/offered"
  offered="$(sort "$work/offered" | sed '/^$/d' | tr '\n' ' ' | sed 's/ $//')"
  if [ "$offered" != "$expected" ]; then
    echo "FAIL '$line': offered '$offered', expected '$expected'" >&2
    failures=$((failures + 1))
  fi
done
echo "${#cases[@]} completions, $failures failed"
[ "$failures" -eq 0 ]
