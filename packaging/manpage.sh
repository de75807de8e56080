#!/usr/bin/env bash
# Writes a program's manual page from its `--help` and a page of additions
# (examples, files, see also), so every command and option the usage text
# names is in the page without an edit here. The usage text reads as:
#   "usage: PROG ..."          the synopsis
#   text before any heading    the description
#   "Commands:"                COMMANDS, one entry per line starting with a word
#   "Heading:"                 a section of entries starting with -option
#   "Exit status: ..."         EXIT STATUS
# The additions are a small Markdown: "# SECTION", paragraphs, blank lines,
# four-space indented lines shown as typed, `code` in bold.
#   packaging/manpage.sh PROGRAM SECTION "NAME - summary" VERSION DATE ADDITIONS OUTPUT
set -euo pipefail

usage="usage: manpage.sh PROGRAM SECTION 'NAME - summary' VERSION DATE ADDITIONS OUTPUT"
program="${1:?$usage}"
section="${2:?$usage}"
title="${3:?$usage}"
version="${4:?$usage}"
date="${5:?$usage}"
additions="${6:?$usage}"
output="${7:?$usage}"

# In English whatever the build machine's language.
help="$(env -u LANGUAGE LC_ALL=C.UTF-8 "$program" --help)"
name="${title%% - *}"

tmp="$(mktemp "$output.XXXXXX")"
trap 'rm -f "$tmp"' EXIT

{
  printf '.\\" Generated from %s --help and %s when Accrua is built.\n' "$name" "$(basename "$additions")"
  printf '.TH %s %s "%s" "Accrua %s" "User Commands"\n' "$(tr '[:lower:]' '[:upper:]' <<<"$name" | sed 's/-/\\-/g')" \
    "$section" "$date" "$version"
  summary="${title#* - }"
  # Option values and file names read better unbroken, and the text ragged.
  printf '.nh\n.ad l\n'
  printf '.SH NAME\n%s \\- %s\n' "${name//-/\\-}" "${summary//-/\\-}"

  awk -v prog="$name" '
function esc(s) {
    gsub(/\\/, "\\e", s)
    gsub(/-/, "\\-", s)
    return s
}
function line(s) {
    s = esc(s)
    if (s ~ /^[.'"'"']/) s = "\\&" s
    return s
}
# Options bold, placeholders (P, FILE, NAME=VALUE) italic; brackets stay roman.
function syn(s,    n, t, i, out, pre, post, core) {
    n = split(s, t, / +/)
    out = ""
    for (i = 1; i <= n; ++i) {
        core = t[i]; pre = ""; post = ""
        while (core ~ /^[[(]/) { pre = pre substr(core, 1, 1); core = substr(core, 2) }
        while (core ~ /[]),]$/ || core ~ /\.\.\.$/) {
            if (core ~ /\.\.\.$/) { post = "..." post; core = substr(core, 1, length(core) - 3) }
            else { post = substr(core, length(core)) post; core = substr(core, 1, length(core) - 1) }
        }
        if (core ~ /^-/) core = "\\fB" esc(core) "\\fR"
        else if (core ~ /^[A-Z][A-Z0-9_.=|a-z-]*$/ && core !~ /^[A-Z][a-z]/) core = "\\fI" esc(core) "\\fR"
        else core = esc(core)
        out = out (i > 1 ? " " : "") esc(pre) core esc(post)
    }
    return out
}
function indent(s) { match(s, /^ */); return RLENGTH }
function closeverbatim() { if (verbatim) { print ".fi"; print ".RE"; verbatim = 0 } }
BEGIN { part = "top" }
NR == 1 && tolower($0) ~ /^usage: / {
    rest = $0; sub(/^[Uu]sage: [^ ]+ */, "", rest)
    print ".SH SYNOPSIS"
    print "\\fB" esc(prog) "\\fR " syn(rest)
    print ".SH DESCRIPTION"
    next
}
/^$/ { closeverbatim(); mode = ""; next }
# "Exit status: 0 ..." opens its own section, text and all.
/^[Ee]xit status: / {
    closeverbatim()
    print ".SH \"EXIT STATUS\""
    rest = $0; sub(/^[Ee]xit status: */, "", rest)
    print line(rest); mode = "prose"; part = "exit"; next
}
/^[A-Za-z].*:$/ {
    closeverbatim()
    heading = substr($0, 1, length($0) - 1)
    part = (tolower(heading) == "commands") ? "commands" : "options"
    print ".SH \"" toupper(esc(heading)) "\""
    mode = ""; next
}
/^[^ ]/ {
    closeverbatim()
    if (mode != "prose") print ".PP"
    print line($0); mode = "prose"; next
}
part == "commands" && /^  [a-z]/ {
    closeverbatim()
    rest = $0; sub(/^  /, "", rest)
    cmd = rest; sub(/ .*/, "", cmd)
    rest = substr(rest, length(cmd) + 1); sub(/^ +/, "", rest)
    print ".TP"
    printf "\\fB%s\\fR%s", esc(cmd), (rest == "" ? "" : " " syn(rest))
    mode = "synopsis"; next
}
# An entry: the option and its placeholder, two blanks or more, the text.
/^  -/ {
    closeverbatim()
    rest = $0; sub(/^  /, "", rest)
    tag = ""; text = ""
    if (match(rest, /  +/)) { tag = substr(rest, 1, RSTART - 1); text = substr(rest, RSTART + RLENGTH) }
    else if (rest !~ / /) tag = rest
    else if (match(rest, /^-[^ ]+ [A-Z][^ ]* /)) { tag = substr(rest, 1, RLENGTH - 1); text = substr(rest, RLENGTH + 1) }
    if (tag != "") {
        if (mode == "synopsis") print ""
        print ".TP"; print syn(tag)
        if (text != "") print line(text)
        mode = "entry"; next
    }
}
mode == "synopsis" {
    rest = $0; sub(/^ +/, "", rest)
    if (rest ~ /^[[(-]/) { printf " %s", syn(rest); next }
    print ""; print line(rest); mode = "entry"; next
}
mode == "entry" && indent($0) > 2 { rest = $0; sub(/^ +/, "", rest); print line(rest); next }
# Indented deeper than the text around it: shown as typed.
mode != "" && indent($0) >= 4 {
    if (!verbatim) { print ".RS 4"; print ".nf"; verbatim = 1 }
    rest = $0; sub(/^    /, "", rest); print line(rest); next
}
{
    closeverbatim()
    rest = $0; sub(/^ +/, "", rest)
    if (mode != "prose") print ".PP"
    print line(rest); mode = "prose"
}
END { closeverbatim(); if (mode == "synopsis") print "" }
' <<<"$help"

  # The additions: "# SECTION", paragraphs, four-space indented lines as typed.
  awk '
function esc(s) {
    gsub(/\\/, "\\e", s)
    gsub(/-/, "\\-", s)
    while (match(s, /`[^`]*`/)) s = substr(s, 1, RSTART - 1) "\\fB" substr(s, RSTART + 1, RLENGTH - 2) "\\fR" substr(s, RSTART + RLENGTH)
    if (s ~ /^[.'"'"']/) s = "\\&" s
    return s
}
function closeverbatim() { if (verbatim) { print ".fi"; print ".RE"; verbatim = 0 } }
/^# / { closeverbatim(); print ".SH \"" esc(substr($0, 3)) "\""; fresh = 1; next }
/^$/ { closeverbatim(); fresh = 1; next }
/^    / {
    if (!verbatim) { if (fresh) print ".PP"; print ".RS 4"; print ".nf"; verbatim = 1 }
    print esc(substr($0, 5)); fresh = 0; next
}
{
    closeverbatim()
    if (fresh) print ".PP"
    print esc($0); fresh = 0
}
END { closeverbatim() }
' "$additions"
} >"$tmp"

chmod 644 "$tmp"
mv "$tmp" "$output"
trap - EXIT
