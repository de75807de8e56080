#!/usr/bin/env bash
# Writes the bash or zsh completion of accrua-cli from what `accrua-cli --help`
# says, so a command or option added to the usage text completes without an
# edit here. Read from the usage text:
#   - the commands: the lines of "Commands:" that start with a word;
#   - a command's options: every --option named in its block there;
#   - options of the other sections: the lines starting with --option, for the
#     commands the heading names ("Report outputs of payment, count: ..."),
#     for every command when it names none;
#   - an option's value from the word after it: a list "amount|count" is
#     offered as is; FILE, OUT.pdf, DIR and the like complete file names;
#     FREQ, or an option whose name says frequency or compounding, completes
#     the frequency names; other placeholders (P, DATE, NAME=VALUE) take
#     free text;
#   - a command's own argument (pages FILE): a placeholder on its first line
#     that follows no option.
#   packaging/completion.sh PROGRAM bash|zsh OUTPUT
set -euo pipefail

program="${1:?usage: completion.sh PROGRAM bash|zsh OUTPUT}"
shell="${2:?usage: completion.sh PROGRAM bash|zsh OUTPUT}"
output="${3:?usage: completion.sh PROGRAM bash|zsh OUTPUT}"

frequencies="monthly semi-monthly every-2-weeks weekly every-4-weeks every-2-months quarterly semi-annual annual"
compoundings="$frequencies daily"

# In English whatever the build machine's language.
help="$(env -u LANGUAGE LC_ALL=C.UTF-8 "$program" --help)"

# One record per line, fields separated by tabs:
#   command NAME ARGKIND       ARGKIND: none, file, dir or free
#   option  SCOPE NAME REPEAT  SCOPE: a command, * (every command) or - (no command)
#   value   NAME KIND          KIND: flag, free, file, file:EXT, dir, freq, compound, choices:A B C
table="$(awk -v OFS='\t' '
function strip(t) {
    sub(/^[[(]+/, "", t)
    while (t ~ /[]),.;]$/) t = substr(t, 1, length(t) - 1)
    return t
}
function kindof(option, v,    n, parts, i, lower) {
    if (v == "" || v == "-" || v == "|" || v ~ /^-/) return ""
    if (v ~ /\|/) {
        n = split(v, parts, "|")
        lower = 1
        for (i = 1; i <= n; ++i) if (parts[i] !~ /^[a-z0-9][a-z0-9-]*$/) lower = 0
        if (lower) { gsub(/\|/, " ", v); return "choices:" v }
        v = parts[1]
    }
    if (v !~ /^[A-Z]/) return ""
    if (option ~ /compound/) return "compound"
    if (v ~ /FREQ/) return "freq"
    if (v ~ /^(FILE|PATH)$/ || v ~ /^[A-Z]+FILE$/) return "file"
    if (v ~ /^[A-Z]+\.[a-z0-9]+$/) { sub(/^[A-Z]+\./, "", v); return "file:" v }
    if (v ~ /DIR$/) return "dir"
    if (option ~ /frequency/) return "freq"
    return "free"
}
# Where commands name the value of one option differently, the most telling wins:
# a list, then a file of a given kind (OUT.pdf of render over FILE of plan).
function rank(k) {
    if (k ~ /^choices:/) return 4
    if (k ~ /^file:/) return 3
    if (k == "free") return 1
    if (k == "") return 0
    return 2
}
function note(option, value,    k) {
    k = kindof(option, value)
    if (!(option in kind) || rank(k) > rank(kind[option])) kind[option] = k
}
function addoption(scope, option, repeat) {
    if (!((scope SUBSEP option) in seen)) { seen[scope, option] = 1; order[++count] = scope SUBSEP option }
    if (repeat) repeats[scope, option] = 1
}
# A command block: every --option in it, the word after each as its value.
function scanblock(line, first,    n, raw, i, t, afterOption) {
    n = split(line, raw, /[ \t]+/)
    afterOption = 0
    for (i = 1; i <= n; ++i) {
        t = strip(raw[i])
        if (t ~ /^--[a-z][a-z0-9-]*$/) {
            addoption(cmd, t, raw[i + 1] ~ /\.\.\.$/ || raw[i] ~ /\.\.\.$/)
            note(t, strip(raw[i + 1]))
            afterOption = 1
            continue
        }
        if (first && !afterOption && t ~ /^[A-Z][A-Z0-9_.]*$/ && t != cmd && argkind[cmd] == "none")
            argkind[cmd] = kindof("", t)
        afterOption = 0
    }
}
/^[A-Za-z].*:$/ {
    section = $0; cmd = ""; scope = "*"
    if (tolower(section) == "commands:") { incommands = 1; next }
    incommands = 0
    # A heading that names commands scopes its options to them.
    named = ""
    n = split(section, words, /[ ,:()]+/)
    for (i = 1; i <= n; ++i) if (words[i] in argkind) named = named " " words[i]
    if (named != "") scope = substr(named, 2)
    next
}
/^[^ ]/ { section = ""; incommands = 0; next }
incommands && /^  [a-z][a-z0-9-]*( |$)/ {
    cmd = $1; argkind[cmd] = "none"; commands[++ncommands] = cmd
    scanblock(substr($0, 3 + length(cmd)), 1)
    next
}
incommands && /^  --[a-z]/ {
    cmd = ""
    addoption("-", $1, 0); note($1, "")
    next
}
incommands && /^   / && cmd != "" { scanblock($0, 0); next }
section != "" && /^  --[a-z]/ {
    m = split(scope, targets, " ")
    for (i = 1; i <= m; ++i) addoption(targets[i], $1, $0 ~ /repeatable/)
    note($1, $2)
}
END {
    for (i = 1; i <= ncommands; ++i) print "command", commands[i], argkind[commands[i]]
    for (i = 1; i <= count; ++i) {
        split(order[i], p, SUBSEP)
        print "option", p[1], p[2], ((p[1], p[2]) in repeats) ? 1 : 0
    }
    for (o in kind) print "value", o, (kind[o] == "" ? "flag" : kind[o])
}
' <<<"$help")"

grep -q '^command' <<<"$table" || {
  echo "completion.sh: no commands found in '$program --help'" >&2
  exit 1
}

commands="$(awk -F'\t' '$1 == "command" { print $2 }' <<<"$table" | tr '\n' ' ')"
# Before a command: the options of no command, and --help wherever it is named.
toplevel="$(awk -F'\t' '$1 == "option" && ($2 == "-" || $3 == "--help") && !seen[$3]++ { print $3 }' <<<"$table" |
  tr '\n' ' ')"
# Options of a command: its own, then those of every command.
options_of() {
  awk -F'\t' -v c="$1" '$1 == "option" && ($2 == c || $2 == "*") && !seen[$3]++ { print $3 }' <<<"$table"
}
words_of() {
  case "$1" in
  choices:*) echo "${1#choices:}" ;;
  freq) echo "$frequencies" ;;
  compound) echo "$compoundings" ;;
  esac
}

emit_bash() {
  cat <<EOF
# bash completion for accrua-cli. Generated from \`accrua-cli --help\` when
# Accrua is built; edit the usage text, not this file.

_accrua_cli()
{
    local cur prev words cword split
    _init_completion -s || return

    if ((cword == 1)); then
        mapfile -t COMPREPLY < <(compgen -W '${commands}${toplevel}' -- "\$cur")
        return
    fi

    # The value of an option.
    case \$prev in
EOF
  local kind names
  while IFS=$'\t' read -r kind names; do
    printf '        %s)\n' "$names"
    case "$kind" in
    file) printf '            _filedir\n' ;;
    file:*) printf '            _filedir %s\n' "${kind#file:}" ;;
    dir) printf '            _filedir -d\n' ;;
    free) printf '            # free text: nothing to offer\n' ;;
    *) printf "            mapfile -t COMPREPLY < <(compgen -W '%s' -- \"\$cur\")\n" "$(words_of "$kind")" ;;
    esac
    printf '            return\n            ;;\n'
  done < <(grep '^value' <<<"$table" | sort | awk -F'\t' '$3 != "flag" { n[$3] = n[$3] (n[$3] == "" ? "" : "|") $2 }
      END { for (k in n) print k "\t" n[k] }' | sort)
  cat <<EOF
    esac
    \$split && return

    local options='' argument=none
    case \${words[1]} in
EOF
  local command
  for command in $commands; do
    printf "        %s)\n            options='%s'\n            argument='%s'\n            ;;\n" "$command" \
      "$(options_of "$command" | tr '\n' ' ' | sed 's/ $//')" \
      "$(awk -F'\t' -v c="$command" '$1 == "command" && $2 == c { print $3 }' <<<"$table")"
  done
  cat <<'EOF'
    esac
    if [[ $cur == -* || $argument == none || $argument == free ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$options" -- "$cur")
    elif [[ $argument == dir ]]; then
        _filedir -d
    else
        _filedir
    fi
} &&
    complete -F _accrua_cli accrua-cli
EOF
}

zsh_action() {
  case "$1" in
  flag) ;;
  file) printf ':file:_files' ;;
  file:*) printf ':file:_files -g "*.%s"' "${1#file:}" ;;
  dir) printf ':folder:_files -/' ;;
  free) printf ':value: ' ;;
  *) printf ':value:(%s)' "$(words_of "$1")" ;;
  esac
}

emit_zsh() {
  cat <<EOF
#compdef accrua-cli
# zsh completion for accrua-cli. Generated from \`accrua-cli --help\` when
# Accrua is built; edit the usage text, not this file.

_accrua-cli() {
  if (( CURRENT == 2 )); then
    compadd -- ${commands}${toplevel}
    return
  fi
  local -a specs
  case \$words[2] in
EOF
  local command option repeat kind spec argument
  for command in $commands; do
    printf '    %s)\n      specs=(\n' "$command"
    while read -r option; do
      repeat="$(awk -F'\t' -v c="$command" -v o="$option" '$1 == "option" && ($2 == c || $2 == "*") && $3 == o && $4 == 1 { print "*"; exit }' <<<"$table")"
      kind="$(awk -F'\t' -v o="$option" '$1 == "value" && $2 == o { print $3 }' <<<"$table")"
      if [ "$kind" = flag ]; then
        spec="${repeat}${option}"
      else
        spec="${repeat}${option}=$(zsh_action "$kind")"
      fi
      printf "        '%s'\n" "$spec"
    done < <(options_of "$command")
    argument="$(awk -F'\t' -v c="$command" '$1 == "command" && $2 == c { print $3 }' <<<"$table")"
    case "$argument" in
    file) printf "        ':file:_files'\n" ;;
    dir) printf "        ':folder:_files -/'\n" ;;
    free) printf "        ':value: '\n" ;;
    esac
    printf '      )\n      ;;\n'
  done
  cat <<'EOF'
    *) return 1 ;;
  esac
  shift words
  (( CURRENT-- ))
  _arguments -S $specs
}

_accrua-cli "$@"
EOF
}

tmp="$(mktemp "$output.XXXXXX")"
trap 'rm -f "$tmp"' EXIT
case "$shell" in
bash) emit_bash >"$tmp" ;;
zsh) emit_zsh >"$tmp" ;;
*)
  echo "completion.sh: unknown shell '$shell'" >&2
  exit 2
  ;;
esac
chmod 644 "$tmp"
mv "$tmp" "$output"
trap - EXIT
