#!/usr/bin/env python3
"""Measure the pace of a career and compare it with the designed one.

Plays 1,000 careers of each bot strategy on the shipped data
(vargo-tool career --runs N --seed S --strategy NAME --json) and prints a
Markdown table of target against measured. With --write the table replaces the
block between the "career-table" markers in docs/balance.md, so the measured
figures there always come from one command:

    python3 tools/career_table.py --build build/release --write

--build names the build folder holding vargo-tool (default: build/release,
else build/dev). Python 3 standard library only; the careers are seeded, so
the output is reproducible.
"""

import argparse
import json
import os
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BEGIN = "<!-- career-table: begin (tools/career_table.py --write) -->"
END = "<!-- career-table: end -->"


def tool_path(build):
    for b in ([build] if build else ["build/release", "build/dev"]):
        path = os.path.join(ROOT, b, "vargo-tool")
        if os.path.exists(path):
            return path
    sys.exit("career_table: vargo-tool not built (give --build DIR)")


def run(tool, data, strategy, runs, seed):
    env = dict(os.environ, ASAN_OPTIONS="detect_leaks=0")
    out = subprocess.run([tool, "--dir", data, "career", "--runs", str(runs),
                          "--seed", str(seed), "--strategy", strategy, "--json"],
                         check=True, capture_output=True, text=True, env=env).stdout
    return json.loads(out)


def pct(x):
    return f"{100 * x:.1f} %"


def month(m):
    return "never (median)" if m is None else f"month {m}"


def last(r, key, index=1):
    return r["months"][-1][key][index]


def rows(results):
    w, f, p = results["worker"], results["fighter"], results["planner"]
    start = lambda r: r["months"][0]["money"][1]  # noqa: E731
    return [
        ("planner", "median month reaching Expert", "by month 8", month(p["medianMonthExpert"])),
        ("planner", "median month reaching Master", "by month 18", month(p["medianMonthMaster"])),
        ("planner", "at least one Master title", "50 to 90 % (first: 30 to 70 %)", pct(p["masterChampionship"])),
        ("planner", "stuck (3+ months without a Doll)", "under 2 %", pct(p["stuck"])),
        ("planner", "final money / value, median", "", f"{last(p, 'money'):.0f} / {last(p, 'value'):.0f} Rl"),
        ("planner", "titles p10 / p50 / p90", "", "{:.0f} / {:.0f} / {:.0f}".format(*p["championships"])),
        ("fighter", "titles p10 / p50 / p90", "a wider spread than the planner's",
         "{:.0f} / {:.0f} / {:.0f}".format(*f["championships"])),
        ("fighter", "reached Expert / Master", "", f"{pct(f['reachedExpert'])} / {pct(f['reachedMaster'])}"),
        ("fighter", "stuck", "under 5 %", pct(f["stuck"])),
        ("worker", "final money, median (start)", "more than the start",
         f"{last(w, 'money'):.0f} Rl ({start(w):.0f})"),
        ("worker", "careers with a title", "none", pct(1 - w["championshipShare"][0])),
        ("fighter", "Rl a tournament month adds (a work month)", "more than a work month",
         f"{f['gainPerTournament']:.0f} ({f['gainPerWorkMonth']:.0f})"),
        ("planner", "Rl a tournament month adds (a work month)", "more than a work month",
         f"{p['gainPerTournament']:.0f} ({p['gainPerWorkMonth']:.0f})"),
        ("worker", "final money + value, median", "below the planner's",
         f"{last(w, 'money') + last(w, 'value'):.0f} Rl (planner {last(p, 'money') + last(p, 'value'):.0f})"),
        ("all", "bots' Dolls that never move / jump / spin", "under 10 % each",
         " / ".join(pct(max(r[k] for r in results.values())) for k in ("zeroMove", "zeroJump", "zeroSpin"))
         + " (worst strategy)"),
    ]


def table(results, runs, seed):
    out = [f"Measured with {runs} careers per strategy, seed {seed}.", "",
           "| Strategy | Figure | Target | Measured |", "|---|---|---|---|"]
    out += [f"| {s} | {fig} | {t} | {m} |" for s, fig, t, m in rows(results)]
    return "\n".join(out) + "\n"


def main():
    ap = argparse.ArgumentParser(description="measure the pace of a career")
    ap.add_argument("--build")
    ap.add_argument("--runs", type=int, default=1000)
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--data", default=os.path.join(ROOT, "data"),
                    help="the game folder to measure (default: the shipped data)")
    ap.add_argument("--write", action="store_true", help="replace the table in docs/balance.md")
    args = ap.parse_args()
    tool = tool_path(args.build)
    results = {s: run(tool, args.data, s, args.runs, args.seed) for s in ("worker", "fighter", "planner")}
    text = table(results, args.runs, args.seed)
    print(text, end="")
    if args.write:
        path = os.path.join(ROOT, "docs", "balance.md")
        with open(path, encoding="utf-8") as f:
            doc = f.read()
        if BEGIN not in doc or END not in doc:
            sys.exit("career_table: docs/balance.md has no career-table markers")
        head, rest = doc.split(BEGIN, 1)
        _, tail = rest.split(END, 1)
        with open(path, "w", encoding="utf-8") as f:
            f.write(head + BEGIN + "\n" + text + END + tail)


if __name__ == "__main__":
    main()
