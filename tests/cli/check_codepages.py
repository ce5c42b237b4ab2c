#!/usr/bin/env python3
"""Runs the CLI over the code page fixtures (tests/data/codepages) and checks what a person reads:
the code page detection finds, the Spell rows in text, CSV and JSON, a routine named in the
project's own characters in the review list and in the code report (RTF and HTML), and the tree;
all of it well-formed UTF-8 without a replacement character."""
import csv
import io
import json
import os
import subprocess
import sys
import tempfile

cli, fixtures = sys.argv[1], sys.argv[2]
expected = json.load(open(os.path.join(fixtures, "expected.json"), encoding="utf-8"))
failures = []


def run(*args):
    done = subprocess.run([cli, *args, "--no-progress"], capture_output=True)
    text = done.stdout.decode("utf-8")  # raises on anything that is not UTF-8
    if "\ufffd" in text:
        failures.append("replacement character in: " + " ".join(args))
    return done.returncode, text


def check(name, condition, what):
    if not condition:
        failures.append(f"{name}: {what}")


def rtf_escape(text):
    """The \\uN escapes the report writer uses for characters beyond Windows-1252."""
    out = []
    for ch in text:
        try:
            ch.encode("cp1252")
            out.append(ch)
        except UnicodeEncodeError:
            n = ord(ch)
            out.append("\\u%d\\'3f" % (n - 65536 if n > 32767 else n))
    return "".join(out)


for name, want in expected.items():
    project = os.path.join(fixtures, name, "App.vbp")
    code, summary = run("scan", project)
    check(name, code == 0, f"scan exit {code}")
    check(name, f"  code page:  {want['codePage']} " in summary, "code page line: " + summary)

    _, data = run("scan", project, "--list", "texts", "--format", "json")
    texts = json.loads(data[data.index("{"):])
    check(name, texts["codePage"] == want["codePage"], "JSON code page")
    shown = {row["text"].strip() for row in texts["rows"]}
    for text in want["texts"]:
        check(name, text in shown, f"JSON texts lack {text!r}: {sorted(shown)}")

    _, data = run("scan", project, "--list", "texts", "--format", "csv")
    rows = list(csv.reader(io.StringIO(data[data.index("File,"):], newline="")))
    check(name, {r[3].strip() for r in rows[1:]} == shown, "CSV and JSON texts differ")
    _, data = run("scan", project, "--list", "texts")
    for text in want["texts"]:
        check(name, text in data, f"text output lacks {text!r}")

    code, tree = run("tree", project)
    check(name, code == 0 and "frmMain" in tree, "tree")

    routine = want.get("routine")
    if routine:
        _, data = run("scan", project, "--list", "never-called", "--format", "json")
        check(name, f'"{routine}"' in data, f"never-called lacks {routine!r}")
        with tempfile.TemporaryDirectory() as folder:
            rtf, html = os.path.join(folder, "code.rtf"), os.path.join(folder, "code.html")
            run("scan", project, "--report", "code", "--out", rtf)
            run("scan", project, "--report", "code", "--out", html)
            report = open(rtf, "rb").read().decode("ascii")  # the report is pure ASCII
            check(name, rtf_escape(routine) in report, f"RTF lacks {rtf_escape(routine)}")
            check(name, routine in open(html, encoding="utf-8").read(), "HTML lacks the routine")

if failures:
    print("\n".join(failures))
    sys.exit(1)
print("code page fixtures:", ", ".join(expected))
