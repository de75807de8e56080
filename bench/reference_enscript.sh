#!/bin/sh
# The classic pipeline: the schedule's CSV rows (accrua-cli ... --csv FILE)
# set as fixed-width text, through enscript to PostScript and Ghostscript's
# ps2pdf to PDF (Debian's enscript and ghostscript).
#
#     reference_enscript.sh ROWS.csv OUT.pdf
set -e
awk -F, '{ printf "%5s  %-10s %14s %14s %14s %16s\n", $1, $2, $3, $4, $5, $6 }' "$1" |
    enscript -q -B -f Courier8 -p - |
    ps2pdf - "$2"
