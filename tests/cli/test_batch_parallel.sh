#!/usr/bin/env bash
# A batch cut into blocks of lines and run by GNU parallel writes what one
# accrua-cli batch writes, byte for byte, as the manual page promises.
#   test_batch_parallel.sh ACCRUA_CLI
set -euo pipefail

cli="${1:?usage: test_batch_parallel.sh ACCRUA_CLI}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# Stored settings and parallel's own files stay in the scratch folder.
export HOME="$work" XDG_CONFIG_HOME="$work/config"
# Refusals in English, whatever language the machine speaks.
export LC_ALL=C
unset LANGUAGE

# 10,000 requests: every calculation with values that vary by line, a line's
# own settings, refused values and usage errors among them. (A line that is
# not JSON at all is reported by its line number, which counts within the
# block one process reads.)
awk 'BEGIN {
    for (i = 1; i <= 10000; ++i) {
        k = i % 7
        p = 1000 + (i * 37) % 90000
        r = 1 + (i % 17) / 4
        if (k == 0)
            printf "{\"id\":%d,\"command\":\"payment\",\"principal\":\"%d\",\"rate\":\"%s\",\"years\":\"%d\",\"months\":\"0\"}\n", i, p, r, 1 + i % 30
        else if (k == 1)
            printf "{\"id\":%d,\"command\":\"count\",\"principal\":\"%d\",\"rate\":\"%s\",\"payment\":\"%d\",\"setting\":{\"PAYMENTRESOLUTION\":\"INCREASEPAYMENTCOUNT\"}}\n", i, p, r, p / 10 + 7
        else if (k == 2)
            printf "{\"id\":%d,\"command\":\"amortize\",\"principal\":\"%d\",\"rate\":\"%s\",\"payment\":\"%d\",\"years\":\"1\",\"months\":\"0\",\"answer\":\"no\"}\n", i, p, r, p / 11
        else if (k == 3)
            printf "{\"id\":%d,\"command\":\"daily\",\"principal\":\"%d\",\"rate\":\"%s\",\"payment\":\"100\",\"days\":\"%d\"}\n", i, p, r, 1 + i % 400
        else if (k == 4)
            printf "{\"id\":%d,\"command\":\"savings\",\"balance\":\"%d\",\"rate\":\"%s\",\"compounded\":\"quarterly\",\"years\":\"%d\",\"months\":\"0\"}\n", i, p, r, 1 + i % 5
        else if (k == 5)
            printf "{\"id\":%d,\"command\":\"payment\",\"principal\":\"-%d\",\"rate\":\"%s\",\"years\":\"1\",\"months\":\"0\"}\n", i, p, r
        else if (i % 2)
            printf "{\"id\":%d,\"command\":\"payment\",\"principle\":\"%d\"}\n", i, p
        else
            printf "{\"id\":%d,\"command\":\"pay\"}\n", i
    }
}' >"$work/requests.jsonl"

status=0
"$cli" batch <"$work/requests.jsonl" >"$work/single.jsonl" || status=$?
[ "$status" -eq 0 ] || { echo "one process: exit status $status" >&2; exit 1; }
results=$(wc -l <"$work/single.jsonl")
[ "$results" -eq 10000 ] || { echo "one process: $results result lines for 10000 requests" >&2; exit 1; }

# Blocks of 64 kB: the requests are about 1 MB, so parallel starts many processes.
parallel --will-cite --pipe --keep-order --block 64k -j 4 --joblog "$work/jobs" "$cli" batch \
  <"$work/requests.jsonl" >"$work/parallel.jsonl" || { echo "parallel: exit status $?" >&2; exit 1; }
jobs=$(($(wc -l <"$work/jobs") - 1))
[ "$jobs" -ge 8 ] || { echo "parallel ran $jobs processes; the input was not split" >&2; exit 1; }

cmp "$work/single.jsonl" "$work/parallel.jsonl" || {
  diff "$work/single.jsonl" "$work/parallel.jsonl" | head -n 10 >&2
  exit 1
}
echo "10000 requests, $jobs processes: the same results as one process"
