#!/usr/bin/env python3
"""Checks that the CLI's JSON and CSV review output parse with Python's standard tools."""
import csv
import io
import json
import subprocess
import sys

cli, project = sys.argv[1], sys.argv[2]


def run(fmt):
    done = subprocess.run([cli, "scan", project, "--no-progress", "--list", "all", "--format", fmt],
                          capture_output=True, check=True)
    text = done.stdout.decode("utf-8")
    return text[text.index("{") if fmt == "json" else text.index("List,"):]


data = json.loads(run("json"))
lists = {entry["name"]: entry for entry in data["lists"]}
assert len(lists) == 7, lists.keys()
assert all(entry["rows"] for entry in lists.values()), "every list of the sample has rows"
assert lists["all-routines"]["rows"][-1]["summary"] is True

rows = list(csv.reader(io.StringIO(run("csv"), newline="")))
assert all(len(row) == 6 for row in rows), "every CSV record has six fields"
assert sum(1 for row in rows if row[0] == "List") == 7
print("json and csv parse:", sum(len(e["rows"]) for e in lists.values()), "rows")
