#!/usr/bin/env python3
"""accrua-cli's PDF against what else writes the same rows as a PDF, whole
processes run in pairs in one run (the machine is shared and noisy: the
ratios count, not the times).

    compare_pdf.py ACCRUA_CLI REFERENCE_MINIMAL_PDF [--rounds N] [--check] [--only CASE]...

Cases:
  pdf12000   payment of 1,000,000 at 0.25 % over 1000 years (12000 rows,
             301 pages) with --pdf, against reference_enscript.sh (enscript |
             ps2pdf), reference_reportlab.py (reportlab, TrueType embedded)
             and reference_minimal_pdf (a minimal C writer, the floor), all
             fed the same rows; and the PDF's size
  pdf360     payment of 200,000 at 6 % over 30 years (360 rows) with --pdf,
             its peak memory, and LibreOffice Calc converting the rows when
             soffice is installed (Debian: libreoffice-calc-nogui, a reference
             installed by hand, not a build dependency); its profile is made
             once before the rounds, and the size of its PDF of the 12000 rows
             is shown
  csv360     the same with --csv - against the plain table (both in
             accrua-cli, which writes CSV without the drawing process)
  batchpdf   1000 different 30-year loans with a 360-row PDF each: one
             accrua-cli batch --output-dir against 1000 accrua-cli --pdf
             processes (--batch-lines N for another count)

Each time is the median over the rounds of the process's CPU time (user +
system, waited-for children included) and of its wall time. --check exits 1
when a goal is missed.
"""
import argparse
import json
import os
import random
import shutil
import statistics
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from compare_cli import peak_mb, run  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
CASES = ["pdf12000", "pdf360", "csv360", "batchpdf"]


def rounds_of(commands, rounds, env):
    """Runs the commands in turn, each round in another order; median CPU and wall."""
    cpu = [[] for _ in commands]
    wall = [[] for _ in commands]
    for r in range(rounds):
        order = list(range(len(commands)))
        if r % 2:
            order.reverse()
        for k in order:
            w, c, _ = run(commands[k], None, env)
            wall[k].append(w)
            cpu[k].append(c)
    return [(statistics.median(c), statistics.median(w)) for c, w in zip(cpu, wall)]


def show(title, names, med):
    print(title)
    for n, (cpu, wall) in zip(names, med):
        print("  %-34s cpu %8.1f ms   wall %8.1f ms" % (n, cpu * 1000, wall * 1000))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("cli")
    parser.add_argument("minimal")
    parser.add_argument("--rounds", type=int, default=7)
    parser.add_argument("--check", action="store_true")
    parser.add_argument("--only", action="append", choices=CASES, help="run this case only (repeatable)")
    parser.add_argument("--batch-lines", type=int, default=1000)
    a = parser.parse_args()
    cases = a.only or CASES

    home = tempfile.mkdtemp(prefix="accrua-pdf-bench-")
    env = dict(os.environ, XDG_CONFIG_HOME=home, HOME=home, XDG_CACHE_HOME=os.path.join(home, "cache"),
               LC_ALL="C.UTF-8")
    env.pop("LANG", None)
    # accrua-cli picks its own platform, as it does for a user (offscreen,
    # or minimal for a loan report whose faces read from their files).
    env.pop("QT_QPA_PLATFORM", None)
    print("load average before: %.2f %.2f %.2f" % os.getloadavg())
    failed = []

    def out(name):
        return os.path.join(home, name)

    if "pdf12000" in cases:
        long = ["payment", "--principal", "1000000", "--rate", "0.25", "--years", "1000", "--months", "0",
                "--origination", "2026-02-01", "--purpose", "HOME LOAN"]
        run([a.cli] + long + ["--csv", out("rows12000.csv")], None, env)
        rows = out("rows12000.csv")
        commands = [[a.cli] + long + ["--pdf", out("accrua.pdf")],
                    [os.path.join(HERE, "reference_enscript.sh"), rows, out("enscript.pdf")],
                    ["/usr/bin/python3", os.path.join(HERE, "reference_reportlab.py"), rows, out("reportlab.pdf")],
                    [a.minimal, rows, out("minimal.pdf")]]
        names = ["accrua-cli --pdf", "enscript | ps2pdf", "reportlab (TrueType)", "minimal C writer"]
        med = rounds_of(commands, a.rounds, env)
        show("12000 rows to PDF", names, med)
        ours = med[0][0]
        for n, goal in ((1, 5), (2, 5)):
            ratio = med[n][0] / ours
            print("  %s / accrua-cli: %.2f (goal >= %d)" % (names[n], ratio, goal))
            if ratio < goal:
                failed.append("pdf12000 vs " + names[n])
        ratio = ours / med[3][0]
        print("  accrua-cli / minimal C writer: %.1f (goal <= 20)" % ratio)
        if ratio > 20:
            failed.append("pdf12000 vs the floor")
        size = os.path.getsize(out("accrua.pdf")) / 1024
        print("  sizes: accrua %.0f KB (goal <= 717 KB, LibreOffice's), enscript %.0f KB, reportlab %.0f KB, "
              "minimal %.0f KB" % (size, os.path.getsize(out("enscript.pdf")) / 1024,
                                   os.path.getsize(out("reportlab.pdf")) / 1024,
                                   os.path.getsize(out("minimal.pdf")) / 1024))
        if size > 717:
            failed.append("pdf12000 size")

    loan = ["payment", "--principal", "200000", "--rate", "6", "--years", "30", "--months", "0",
            "--origination", "2026-02-01", "--purpose", "HOME LOAN"]
    if "pdf360" in cases:
        pdf360 = [a.cli] + loan + ["--pdf", out("loan360.pdf")]
        commands = [pdf360]
        names = ["accrua-cli --pdf (360 rows)"]
        soffice = shutil.which("soffice")
        if soffice:
            run([a.cli] + loan + ["--csv", out("rows360.csv")], None, env)

            def calc(rows):
                return [soffice, "-env:UserInstallation=file://" + out("profile"), "--headless",
                        "--convert-to", "pdf", "--outdir", out("calc"), rows]

            # Makes the profile first, and the 12000 rows' PDF when they were made.
            run(calc(out("rows12000.csv") if "pdf12000" in cases else out("rows360.csv")), None, env)
            calc12000 = out(os.path.join("calc", "rows12000.pdf"))
            if os.path.exists(calc12000):
                print("  LibreOffice's PDF of the 12000 rows: %.0f KB" % (os.path.getsize(calc12000) / 1024))
            commands.append(calc(out("rows360.csv")))
            names.append("LibreOffice Calc --convert-to pdf")
        med = rounds_of(commands, a.rounds, env)
        show("360 rows to PDF", names, med)
        peak = peak_mb(pdf360, env=env)
        print("  accrua-cli peak %.1f MB (goal <= 25)" % peak)
        if peak > 25:
            failed.append("pdf360 memory")
        if soffice:
            ratio = med[1][0] / med[0][0]
            print("  LibreOffice / accrua-cli: %.1f (goal >= 50)" % ratio)
            if ratio < 50:
                failed.append("pdf360 vs LibreOffice")
        else:
            print("  LibreOffice Calc (soffice) is not installed: not compared")

    if "csv360" in cases:
        med = rounds_of([[a.cli] + loan + ["--csv", "-"], [a.cli] + loan], a.rounds * 2, env)
        show("360 rows, --csv - against the table", ["accrua-cli --csv -", "accrua-cli (table)"], med)
        ratio = med[0][0] / med[1][0]
        print("  ratio %.2f (goal <= 1.3)" % ratio)
        if ratio > 1.3:
            failed.append("csv360")

    if "batchpdf" in cases:
        r = random.Random(14)
        loans = [["--principal", str(r.randrange(50000, 1000000, 100)), "--rate", "%.3f" % r.uniform(2, 9),
                  "--years", "30", "--months", "0", "--origination", "2026-02-01"]
                 for _ in range(a.batch_lines)]
        requests = out("pdfs.jsonl")
        with open(requests, "w") as f:
            for k, loan in enumerate(loans):
                line = {"id": k, "command": "payment", "pdf": "%d.pdf" % k}
                line.update(zip([o[2:] for o in loan[::2]], loan[1::2]))
                f.write(json.dumps(line) + "\n")
        os.makedirs(out("batch"), exist_ok=True)
        os.makedirs(out("single"), exist_ok=True)
        batch_cpu, single_cpu = [], []
        for rnd in range(a.rounds):
            for k in ((0, 1) if rnd % 2 == 0 else (1, 0)):
                if k == 0:
                    batch_cpu.append(run([a.cli, "batch", "--rows", "none", "--output-dir", out("batch")],
                                         requests, env)[1])
                else:
                    single_cpu.append(sum(run([a.cli, "payment"] + loan + ["--pdf", out("single/%d.pdf" % n)],
                                              None, env)[1] for n, loan in enumerate(loans)))
        batch, single = statistics.median(batch_cpu), statistics.median(single_cpu)
        print("%d loans, a 360-row PDF each (CPU, median of %d rounds)" % (a.batch_lines, a.rounds))
        print("  %-34s cpu %8.1f ms" % ("accrua-cli batch --output-dir", batch * 1000))
        print("  %-34s cpu %8.1f ms" % ("%d accrua-cli --pdf processes" % a.batch_lines, single * 1000))
        ratio = single / batch
        print("  processes / batch: %.1f (goal >= 10)" % ratio)
        if ratio < 10:
            failed.append("batchpdf")

    print("load average after: %.2f %.2f %.2f" % os.getloadavg())
    if failed:
        print("missed: " + ", ".join(failed))
    return 1 if a.check and failed else 0


if __name__ == "__main__":
    sys.exit(main())
