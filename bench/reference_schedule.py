#!/usr/bin/env python3
"""What a scripting user would write instead of accrua-cli: the monthly
payment of a loan and its amortization schedule, printed exactly as
`accrua-cli payment` prints them (the table, or --json). Standard library
only; amounts in whole ten-thousandths, rates in binary floating point.

    reference_schedule.py payment --principal 200000 --rate 6 --years 30 --months 0 [--json]
"""
import json
import math
import sys

SCALE = 10000
MAX_PAYMENTS = 12000


def money(x):
    """A value in currency units as ten-thousandths, ties to even."""
    return round(x * SCALE)


def cents(count):
    """Ten-thousandths rounded to whole cents, halves away from zero."""
    if count >= 0:
        return (count + 50) // 100 * 100
    return -((-count + 50) // 100 * 100)


def money_text(count):
    c = cents(count) // 100
    sign = "-" if c < 0 else ""
    c = abs(c)
    return "%s%d.%02d" % (sign, c // 100, c % 100)


def charge_month(rate, payment, balance):
    interest = cents(round(rate * balance))
    payment = min(payment, interest + balance)
    principal = cents(payment - interest)
    return payment, principal, interest, cents(balance - principal)


def schedule(n, rate, payment, principal):
    """The n months: (payment, principal, interest, balance) each."""
    rows = []
    balance = cents(principal)
    payment = cents(payment)
    for _ in range(n):
        row = charge_month(rate, payment, balance)
        payment, balance = row[0], row[3]
        rows.append(row)
    return rows


def residual(n, rate, payment, principal):
    balance = cents(principal)
    for _ in range(n):
        payment, _, _, balance = charge_month(rate, payment, balance)
    return balance


def count_payments(rate, payment, principal):
    growth = 1 + rate
    b = principal
    k = 0
    while True:
        t = growth * b / SCALE
        b = round(t * SCALE - payment)
        k += 1
        if k > MAX_PAYMENTS:
            return None
        if payment > growth * b:
            break
    g = k + (t / payment) * SCALE
    if g > math.trunc(g) + 0.0005:
        k += 1
    return None if k > MAX_PAYMENTS else k


def term_of(k):
    ratio = k / 12
    years = math.trunc(ratio)
    months = round(math.trunc(10 * (12 * (ratio - years)) + 0.05) / 10)
    return years, months


def solve_payment(principal_value, rate_percent, count):
    """The payment that repays the loan in `count` months, raised a cent at a
    time while a balance is left or the term runs longer than asked."""
    principal = money(principal_value)
    rate = rate_percent * 0.01 / 12
    w = (1 / (1 + rate)) ** count
    payment = cents(round(principal / ((1 - w) / rate)))
    while True:
        if principal <= round((1 + rate) * principal) - payment:
            return None
        k = count_payments(rate, payment, principal)
        if k is None:
            return None
        if residual(k, rate, payment, principal) > 0 or 12 * term_of(k)[0] + term_of(k)[1] > count:
            payment += 100
            continue
        return principal, payment, k, schedule(k, rate, payment, principal)


def payment_result(principal_text, rate_text, years_text, months_text):
    """The fields and rows of `accrua-cli payment --json`, or None."""
    solved = solve_payment(float(principal_text), float(rate_text), 12 * int(years_text) + int(months_text))
    if solved is None:
        return None
    principal, payment, k, rows = solved
    years, months = term_of(k)
    fields = {
        "MaskEdit_Principal": money_text(principal),
        "MaskEdit_Interest": rate_text.upper(),
        "MaskEdit_Payment": money_text(payment),
        "MaskEdit_Years": str(years),
        "MaskEdit_Months": str(months),
        "MaskEdit_TotalPayments": money_text(sum(r[0] for r in rows)),
        "MaskEdit_TotalPrincipal": money_text(sum(r[1] for r in rows)),
        "MaskEdit_TotalInterest": money_text(sum(r[2] for r in rows)),
        "MaskEdit_TotalNumberPayments": str(k),
        "MaskEdit_PaymentAnswer": money_text(payment),
        "MaskEdit_YearsAnswer": str(years),
        "MaskEdit_MonthsAnswer": str(months),
    }
    return fields, rows


def row_texts(rows):
    return [{"balance": money_text(r[3]), "interest": money_text(r[2]), "payment": money_text(r[0]),
             "principal": money_text(r[1])} for r in rows]


def print_table(fields, rows, out):
    labelled = [
        ("Principal Balance:", fields["MaskEdit_Principal"]),
        ("Interest Rate:", fields["MaskEdit_Interest"]),
        ("Number of Years", fields["MaskEdit_Years"]),
        ("Number of Months:", fields["MaskEdit_Months"]),
        ("Total Payments Paid:", fields["MaskEdit_TotalPayments"]),
        ("Total Principal Paid:", fields["MaskEdit_TotalPrincipal"]),
        ("Total Interest Paid:", fields["MaskEdit_TotalInterest"]),
        ("Total Number of Payments:", fields["MaskEdit_TotalNumberPayments"]),
        ("Payment Amount (answer):", fields["MaskEdit_PaymentAnswer"]),
    ]
    width = max(len(label) for label, _ in labelled) + 1
    lines = [label.ljust(width) + text for label, text in labelled]
    table = [[str(n + 1), money_text(r[0]), money_text(r[1]), money_text(r[2]), money_text(r[3])]
             for n, r in enumerate(rows)]
    headings = ["PMT", "PAYMENT", "PRINCIPAL", "INTEREST", "BALANCE"]
    widths = [max([len(h)] + [len(t[c]) for t in table]) for c, h in enumerate(headings)]
    lines.append("")
    for cells in [headings] + table:
        lines.append("  ".join(cell.rjust(w) for cell, w in zip(cells, widths)))
    out.write("\n".join(lines) + "\n")


def main(argv):
    if len(argv) < 2 or argv[1] != "payment":
        sys.exit("usage: reference_schedule.py payment --principal P --rate R --years Y --months M [--json]")
    options = dict(zip(argv[2::2], argv[3::2]))
    result = payment_result(options["--principal"], options["--rate"], options["--years"], options["--months"])
    if result is None:
        sys.exit("the loan cannot be paid off")
    fields, rows = result
    if "--json" in argv:
        doc = {"fields": fields, "messages": [], "rows": row_texts(rows)}
        # An empty array spans two lines in the program's output.
        text = json.dumps(doc, indent=4, sort_keys=True).replace('"messages": [],', '"messages": [\n    ],')
        sys.stdout.write(text + "\n")
    else:
        print_table(fields, rows, sys.stdout)


if __name__ == "__main__":
    main(sys.argv)
