#!/usr/bin/env python3
"""The loan plans a scripting user would compute instead of `accrua-cli batch`
with "command": "plan": one request per line of JSON on standard input
(monthly plans with a recurring extra and lump sums), one result line each on
standard output in accrua-cli's shape: the plan with its rows, the baseline
without extras, the US APR and the EU APRC. Standard library only; amounts in
binary doubles rounded to cents, as such a script would.

    reference_plan.py < plans.jsonl
"""
import datetime
import json
import math
import sys


def cents(x):
    return math.floor(abs(x) * 100 + 0.5) / 100 * (1 if x >= 0 else -1)


def add_months(d, n):
    index = d.year * 12 + d.month - 1 + n
    year, month = divmod(index, 12)
    last = [31, 29 if year % 4 == 0 and (year % 100 or year % 400 == 0) else 28, 31, 30, 31, 30, 31, 31, 30,
            31, 30, 31][month]
    return datetime.date(year, month + 1, min(d.day, last))


def schedule(principal, rate, n, extra, lumps, start):
    i = rate / 1200
    payment = cents(principal * i / (1 - (1 + i) ** -n)) if i else cents(principal / n)
    balance, rows = principal, []
    for k in range(1, n + 1):
        interest = cents(balance * i)
        ext = (extra + lumps.get(k, 0)) if extra is not None else 0
        pay = payment
        owed = cents(balance + interest)
        if pay >= owed:
            pay, ext = owed, 0
        elif pay + ext >= owed:
            ext = cents(owed - pay)
        elif k == n:
            pay = cents(owed - ext)
        principal_part = cents(pay + ext - interest)
        balance = 0 if pay + ext >= owed else cents(balance - principal_part)
        rows.append((k, add_months(start, k), pay, interest, principal_part, ext, balance))
        if balance == 0:
            break
    return payment, rows


def solve(f):
    x = 0.0
    for _ in range(100):
        h = 1e-7
        v = f(x)
        step = v / ((f(x + h) - v) / h)
        x -= step
        if abs(step) < 1e-12:
            break
    return x


def plan(request):
    principal, rate, n = float(request["principal"]), float(request["rate"]), 12 * int(request["years"])
    start = datetime.date.fromisoformat(request["start"])
    extra = float(request["extra"])
    lumps = {int(k): float(a) for k, a in (s.split(":") for s in request.get("lump", []))}
    payment, rows = schedule(principal, rate, n, extra, lumps, start)
    _, base = schedule(principal, rate, n, None, {}, start)
    flows = [(k, pay + ext) for k, _, pay, _, _, ext, _ in rows]
    apr = 12 * solve(lambda i: sum(a / (1 + i) ** k for k, a in flows) - principal)
    aprc = solve(lambda x: sum(a * (1 + x) ** (-k / 12) for k, a in flows) - principal)
    interest = sum(r[3] for r in rows)
    base_interest = sum(r[3] for r in base)
    money = "%.2f".__mod__
    return {
        "payment": money(payment), "payments": len(rows), "lastPayment": money(rows[-1][2]),
        "totalInterest": money(interest), "totalExtra": money(sum(r[5] for r in rows)),
        "payoff": rows[-1][1].isoformat(), "apr": "%.6f" % (apr * 100), "aprc": "%.6f" % (aprc * 100),
        "baseline": {"payments": len(base), "totalInterest": money(base_interest)},
        "saved": {"interest": money(base_interest - interest), "payments": len(base) - len(rows)},
        "rows": [{"n": k, "date": d.isoformat(), "payment": money(p), "interest": money(i),
                  "principal": money(c), "extra": money(e), "balance": money(b)}
                 for k, d, p, i, c, e, b in rows],
        "messages": [],
    }


def main():
    out = sys.stdout
    for line in sys.stdin:
        if not line.strip():
            continue
        request = json.loads(line)
        doc = dict(exit=0, id=request.get("id"), **plan(request))
        out.write(json.dumps(doc, separators=(",", ":")) + "\n")


if __name__ == "__main__":
    main()
