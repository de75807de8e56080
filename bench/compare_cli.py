#!/usr/bin/env python3
"""Whole accrua-cli processes against their Python references, run in pairs
in one run so that both see the same load (the machine is shared and noisy:
the ratios count, not the times).

    compare_cli.py ACCRUA_CLI [--rounds N] [--check]

Cases:
  text360    payment of 200000 at 6 % over 30 years, the 360-row table,
             against reference_schedule.py; its peak memory as well
  json12000  a 12000-payment schedule with --json against the same as a
             table (both accrua-cli)
  batch      1000 different 30-year loans in one batch with all rows, and
             with --rows none, against reference_batch.py
  plan360    plan of the text360 loan (360 rows, APR and APRC) against
             payment for the same loan, both accrua-cli
  plans      1000 monthly 30-year plans with a recurring extra and a lump
             sum in one batch, against reference_plan.py

Each time is the median over the rounds of the process's wall time (and of
its CPU time, user + system). --check exits 1 when a ratio misses its goal.
"""
import argparse
import json
import os
import random
import re
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
PYTHON = sys.executable


def run(argv, stdin_path=None, env=None):
    """Wall seconds, CPU seconds and the output of one process."""
    with tempfile.TemporaryFile() as out:
        stdin = open(stdin_path, "rb") if stdin_path else subprocess.DEVNULL
        try:
            start = time.perf_counter()
            p = subprocess.Popen(argv, stdin=stdin, stdout=out, stderr=subprocess.PIPE, env=env)
            _, status, usage = os.wait4(p.pid, 0)
            wall = time.perf_counter() - start
        finally:
            if stdin_path:
                stdin.close()
        p.returncode = os.waitstatus_to_exitcode(status)
        err = p.stderr.read()
        p.stderr.close()
        if p.returncode != 0:
            sys.exit("%s failed (%d): %s" % (" ".join(argv), p.returncode, err.decode(errors="replace")))
        out.seek(0)
        return wall, usage.ru_utime + usage.ru_stime, out.read()


def peak_mb(argv, stdin_path=None, env=None):
    """Peak resident memory of one process, as /usr/bin/time -v reports it.
    (The rusage of a child of this script would count this script's own
    memory at the fork.)"""
    with tempfile.TemporaryFile() as report:
        stdin = open(stdin_path, "rb") if stdin_path else subprocess.DEVNULL
        try:
            subprocess.run(["/usr/bin/time", "-f", "%M", "-o", "/dev/fd/3"] + argv, stdin=stdin,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env, pass_fds=(3,),
                           preexec_fn=lambda: os.dup2(report.fileno(), 3), check=True)
        finally:
            if stdin_path:
                stdin.close()
        report.seek(0)
        return int(report.read().split()[-1]) / 1024


def pairs(name, first, second, rounds):
    """Runs the two commands alternately; medians of each and the outputs."""
    times = {0: ([], []), 1: ([], [])}
    outputs = [None, None]
    for r in range(rounds):
        order = (0, 1) if r % 2 == 0 else (1, 0)
        for k in order:
            wall, cpu, output = run(*(first, second)[k])
            times[k][0].append(wall)
            times[k][1].append(cpu)
            outputs[k] = output
    med = [(statistics.median(times[k][0]), statistics.median(times[k][1])) for k in (0, 1)]
    return med, outputs


def requests(path, count=1000, seed=14):
    r = random.Random(seed)
    with open(path, "w") as f:
        for k in range(count):
            f.write(json.dumps({"id": k, "command": "payment", "principal": str(r.randrange(50000, 1000000, 100)),
                                "rate": "%.3f" % r.uniform(2, 9), "years": "30", "months": "0"}) + "\n")


def plan_requests(path, count=1000, seed=19):
    r = random.Random(seed)
    with open(path, "w") as f:
        for k in range(count):
            f.write(json.dumps({"id": k, "command": "plan", "principal": str(r.randrange(50000, 1000000, 100)),
                                "rate": "%.3f" % r.uniform(2, 9), "years": "30", "start": "2026-01-15",
                                "extra": str(r.randrange(50, 500)), "lump": ["%d:%d" % (r.randrange(1, 120),
                                                                                     r.randrange(1000, 20000))]})
                    + "\n")


def differing_lines(a, b):
    la, lb = a.splitlines(), b.splitlines()
    return sum(x != y for x, y in zip(la, lb)) + abs(len(la) - len(lb))


def report(title, names, med, goal=None, ratio=None):
    print("%s" % title)
    for n, (wall, cpu) in zip(names, med):
        print("  %-34s wall %8.1f ms   cpu %8.1f ms" % (n, wall * 1000, cpu * 1000))
    if ratio is not None:
        print("  ratio %.2f (goal %s)" % (ratio, goal))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("cli")
    parser.add_argument("--rounds", type=int, default=15)
    parser.add_argument("--check", action="store_true")
    a = parser.parse_args()

    home = tempfile.mkdtemp(prefix="accrua-bench-")
    env = dict(os.environ, XDG_CONFIG_HOME=home, HOME=home, LC_ALL="C.UTF-8")
    env.pop("LANG", None)
    failed = []

    loan = ["payment", "--principal", "200000", "--rate", "6", "--years", "30", "--months", "0"]
    med, outs = pairs("text360", ([a.cli] + loan, None, env),
                             ([PYTHON, os.path.join(HERE, "reference_schedule.py")] + loan, None, env), a.rounds)
    speedup = med[1][0] / med[0][0]
    report("payment, 30 years, table (360 rows)", ["accrua-cli", "reference_schedule.py"], med, ">= 2", speedup)
    peak = peak_mb([a.cli] + loan, env=env)
    print("  same output: %s; accrua-cli peak %.1f MB (goal <= 12; /usr/bin/time -v)" % (outs[0] == outs[1], peak))
    if speedup < 2 or peak > 12 or outs[0] != outs[1]:
        failed.append("text360")

    # 0.25 % over 1000 years: 12000 payments, the longest schedule there is.
    long = ["payment", "--principal", "1000000", "--rate", "0.25", "--years", "1000", "--months", "0"]
    med, outs = pairs("json12000", ([a.cli] + long + ["--json"], None, env), ([a.cli] + long, None, env),
                             a.rounds)
    ratio = med[0][0] / med[1][0]
    count = re.search(rb"Total Number of Payments: *(\d+)", outs[1])
    report("payment, 1000 years (%s payments), --json against the table" % (count.group(1).decode() if count else "?"),
           ["accrua-cli --json", "accrua-cli (table)"], med, "<= 1.5", ratio)
    if ratio > 1.5:
        failed.append("json12000")

    batch_input = os.path.join(home, "loans.jsonl")
    requests(batch_input)
    for rows, goal in (("all", 2), ("none", 10)):
        flags = [] if rows == "all" else ["--rows", "none"]
        med, outs = pairs("batch-" + rows, ([a.cli, "batch"] + flags, batch_input, env),
                                 ([PYTHON, os.path.join(HERE, "reference_batch.py")] + flags, batch_input, env),
                                 max(3, a.rounds // 3))
        speedup = med[1][0] / med[0][0]
        report("batch of 1000 30-year loans, --rows %s" % rows, ["accrua-cli batch", "reference_batch.py"], med,
               ">= %d" % goal, speedup)
        print("  result lines that differ: %d of 1000 (the reference computes in binary doubles, accrua-cli in "
              "extended precision); accrua-cli peak %.1f MB"
              % (differing_lines(outs[0], outs[1]), peak_mb([a.cli, "batch"] + flags, batch_input, env)))
        if speedup < goal:
            failed.append("batch-" + rows)

    plan = ["plan", "--principal", "200000", "--rate", "6", "--years", "30", "--start", "2026-01-15"]
    med, _ = pairs("plan360", ([a.cli] + plan, None, env), ([a.cli] + loan, None, env), a.rounds)
    ratio = med[0][0] / med[1][0]
    report("plan against payment, 30 years, table (360 rows)", ["accrua-cli plan", "accrua-cli payment"], med,
           "<= 1.2", ratio)
    if ratio > 1.2:
        failed.append("plan360")

    plans_input = os.path.join(home, "plans.jsonl")
    plan_requests(plans_input)
    med, outs = pairs("plans", ([a.cli, "batch"], plans_input, env),
                      ([PYTHON, os.path.join(HERE, "reference_plan.py")], plans_input, env), max(3, a.rounds // 3))
    speedup = med[1][0] / med[0][0]
    report("batch of 1000 plans with extras", ["accrua-cli batch", "reference_plan.py"], med, ">= 10", speedup)
    same = sum(json.loads(x)["payments"] == json.loads(y)["payments"]
               for x, y in zip(outs[0].splitlines(), outs[1].splitlines()))
    print("  plans with the same number of payments: %d of 1000" % same)
    if speedup < 10:
        failed.append("plans")

    if failed:
        print("missed: " + ", ".join(failed))
    return 1 if a.check and failed else 0


if __name__ == "__main__":
    sys.exit(main())
