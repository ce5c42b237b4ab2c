#!/usr/bin/env python3
"""Mutation fuzzing of the CLI, run by hand (too slow for every CI run).

Two targets, both fed from the bundled sample project:
  scanfile  damages a scan file of the sample byte by byte and opens it with every list and panel;
  sources   damages a few member files of a copy of the sample, scans it, saves the scan and opens
            that scan again (a scan we wrote must always reopen).
A run fails on a crash or signal, a sanitizer report, an exit code the CLI never gives, or a saved
scan that does not reopen. Every failing input is kept under the work folder.

Usage: tests/fuzz/fuzz_cli.py CLI [--target scanfile|sources] [--runs N] [--seed S] [--work DIR]
Build the CLI with -DTALLY_SANITIZE=ON first to catch memory errors, not only crashes.
"""

import argparse
import os
import random
import shutil
import subprocess
import sys
from pathlib import Path

EXAMPLES = Path(__file__).resolve().parents[2] / "examples"
EXIT_CODES = {0, 1, 2, 3}  # success, usage, input error, review gate
SANITIZER_ENV = {"ASAN_OPTIONS": "detect_leaks=1", "UBSAN_OPTIONS": "halt_on_error=1:print_stacktrace=1"}

# Fragments that steer a mutation towards the parser's and the scan reader's decisions.
SCAN_TOKENS = [b"-1", b"99999999999", b"2147483647", b"-2147483648", b"\x00", b"\r", b"\n", b'"',
               b"\x01", b"Begin Subs 5\r\n", b"End"]
SOURCE_TOKENS = [b"_", b" _\r\n", b'"', b"'", b"(", b")", b"Begin ", b"End", b"End Sub", b"Sub ",
                 b"Function X(", b"Private Type T", b"End Type", b"Dim ", b"\x00", b"\r", b"\n",
                 b"Declare ", b"Enum ", b"=", b"..\\..\\", b"Property Get "]


def mutate(rng, data, tokens, edits):
    b = bytearray(data)
    for _ in range(rng.randint(1, edits)):
        if not b:
            b = bytearray(b"x")
        i = rng.randrange(len(b))
        op = rng.random()
        if op < 0.3:
            b[i] = rng.randrange(256)
        elif op < 0.5:
            del b[i:i + rng.randint(1, 200)]
        elif op < 0.7:
            j = rng.randrange(len(b))
            b[i:i] = b[j:j + rng.randint(1, 300)]
        elif op < 0.85:
            b[i:i] = rng.choice(tokens)
        else:
            del b[rng.randrange(len(b) + 1):]
    return bytes(b)


def run(cmd):
    env = dict(os.environ, **SANITIZER_ENV)
    return subprocess.run(cmd, capture_output=True, env=env, timeout=120)


def fault(result):
    """What is wrong with one CLI run, or None."""
    if result.returncode not in EXIT_CODES:
        return f"exit code {result.returncode}"
    if b"Sanitizer" in result.stderr or b"runtime error" in result.stderr:
        return "sanitizer report"
    return None


def fuzz_scan_file(cli, rng, work, index, base):
    target = work / "case.psf"
    target.write_bytes(mutate(rng, base, SCAN_TOKENS, 20))
    result = run([cli, "open", str(target), "--list", "all", "--format", "json",
                  "--file", "modMain.bas", "--routine", "modFormat.bas:Percent"])
    problem = fault(result)
    if problem:
        shutil.copy(target, work / f"failure-{index}.psf")
    return problem, result


def fuzz_sources(cli, rng, work, index, _base):
    project = work / "project"
    shutil.rmtree(project, ignore_errors=True)
    shutil.copytree(EXAMPLES, project)
    members = [p for p in project.rglob("*") if p.is_file() and p.suffix.lower() != ".md"]
    for path in rng.sample(members, rng.randint(1, min(4, len(members)))):
        path.write_bytes(mutate(rng, path.read_bytes(), SOURCE_TOKENS, 30))
    saved = project / "scan.psf"
    result = run([cli, "scan", str(project / "sample" / "Hourglass.vbp"), "--list", "all", "--save", str(saved)])
    problem = fault(result)
    if not problem and result.returncode in (0, 3):
        result = run([cli, "open", str(saved), "--list", "all"])
        problem = fault(result) or (None if result.returncode in (0, 3) else "a saved scan does not reopen")
    if problem:
        shutil.copytree(project, work / f"failure-{index}")
    return problem, result


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("cli")
    parser.add_argument("--target", choices=["scanfile", "sources"], default="sources")
    parser.add_argument("--runs", type=int, default=200)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--work", default="/tmp/tallyscan6-fuzz")
    args = parser.parse_args()

    work = Path(args.work)
    work.mkdir(parents=True, exist_ok=True)
    rng = random.Random(args.seed)
    base = b""
    if args.target == "scanfile":
        base_scan = work / "base.psf"
        made = run([args.cli, "scan", str(EXAMPLES / "sample" / "Hourglass.vbp"), "--save", str(base_scan)])
        if made.returncode not in (0, 3):
            sys.exit(f"cannot scan the sample: {made.stderr.decode(errors='replace')}")
        base = base_scan.read_bytes()
    step = fuzz_scan_file if args.target == "scanfile" else fuzz_sources

    failures = 0
    for index in range(args.runs):
        problem, result = step(args.cli, rng, work, index, base)
        if problem:
            failures += 1
            print(f"case {index}: {problem}\n{result.stderr[-1500:].decode(errors='replace')}")
    print(f"{args.runs} cases, {failures} failures" + (f" (kept in {work})" if failures else ""))
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
