#!/usr/bin/env python3
"""Checks the CI examples in examples/ci against their CI systems' structure and the CLI itself.

Usage: check_examples.py TALLYSCAN6_CLI [EXAMPLES_FOLDER]

- github-actions.yml: a workflow whose job checks out, scans with --format sarif into a file and
  uploads that file with github/codeql-action/upload-sarif@v3 and a category;
- gitlab-ci.yml: a job that writes --format codeclimate into the file its codequality report
  names, kept even when the job fails, with --fail-on;
- azure-pipelines.yml: --format junit into the file a PublishTestResults@2 task (JUnit) publishes;
- Jenkinsfile: a declarative pipeline whose junit step reads the --format junit file;
- tallyscan6.json: a config with only the keys the CLI reads;
- every "tallyscan6-cli COMMAND ..." line uses only options that "tallyscan6-cli --help" names
  and only the five finding lists, and scans a project file that exists;
- the user guide's page docs/help/ci.htm quotes each example as it is.

Prints each problem and exits with 1 when there is any, otherwise prints a summary and exits 0.
"""

import html
import json
import re
import shlex
import subprocess
import sys
from pathlib import Path

try:
    import yaml
except ImportError:
    sys.exit("check_examples.py: needs Python's yaml module (Debian: python3-yaml)")

FINDING_LISTS = {"never-called", "no-code", "no-return", "no-type", "never-used"}
FAIL_ON_NAMES = FINDING_LISTS | {"spelling"}
REVIEW_LISTS = FINDING_LISTS | {"all-routines", "all-types", "all", "texts"}
CONFIG_KEYS = {"failOn", "exclude", "codePage", "baseline"}
COMMANDS = ("scan", "open", "tree", "objects", "export-key", "zip", "help")
EXAMPLE_FILES = ("github-actions.yml", "gitlab-ci.yml", "azure-pipelines.yml", "Jenkinsfile",
                 "tallyscan6.json")
# A command line ends at the end of the line, a quote closing a Groovy or YAML string, or a
# shell operator.
COMMAND_LINE = re.compile(r"tallyscan6-cli\s+(?:%s)\b[^'\"\n]*" % "|".join(COMMANDS))
SHELL_OPERATORS = {">", ">>", "2>", "|", "||", "&&", ";", "<"}

problems = []


def problem(where, message):
    problems.append(f"{where}: {message}")


class Command:
    """One tallyscan6-cli command line of an example: its words and where its output goes."""

    def __init__(self, where, text):
        self.where = where
        self.text = text.strip()
        words = shlex.split(self.text)
        self.stdout = None
        for i, word in enumerate(words):
            if word in SHELL_OPERATORS:
                if word in {">", ">>"} and i + 1 < len(words):
                    self.stdout = words[i + 1]
                words = words[:i]
                break
        self.words = words

    def options(self):
        return [w for w in self.words if w.startswith("-")]

    def value(self, option):
        """The values given to an option, each split at commas."""
        values = []
        for i, word in enumerate(self.words):
            if word == option and i + 1 < len(self.words):
                values.extend(v for v in self.words[i + 1].split(",") if v)
            elif word.startswith(option + "="):
                values.extend(v for v in word.split("=", 1)[1].split(",") if v)
        return values


def commands_in(path):
    found = []
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), start=1):
        for match in COMMAND_LINE.finditer(line):
            found.append(Command(f"{path.name}:{number}", match.group(0)))
    return found


def help_text(cli):
    try:
        done = subprocess.run([cli, "--help"], capture_output=True, text=True, timeout=60)
    except OSError as error:
        sys.exit(f"check_examples.py: cannot run {cli}: {error.strerror}")
    if done.returncode != 0:
        problem(cli, f"--help exited with {done.returncode}")
    return done.stdout + done.stderr


def check_command(command, help_options, help_words, repo):
    where = command.where
    for option in command.options():
        name = option.split("=", 1)[0]
        if name not in help_options:
            problem(where, f"{name} is not an option of tallyscan6-cli --help")
    for option, allowed in (("--fail-on", FAIL_ON_NAMES), ("--list", REVIEW_LISTS)):
        for name in command.value(option):
            if name not in allowed:
                problem(where, f'{option} "{name}" is not one of {", ".join(sorted(allowed))}')
    for fmt in command.value("--format"):
        if fmt not in help_words:
            problem(where, f'--format {fmt} is not named by tallyscan6-cli --help')
    if command.words[1:2] == ["scan"]:
        project = command.words[2] if len(command.words) > 2 else ""
        if not project.lower().endswith(".vbp"):
            problem(where, "the scan names no .vbp project")
        elif Path(project).is_absolute() or not (repo / project).is_file():
            problem(where, f"{project} is not a project file relative to the repository")
    if "--no-progress" not in command.words:
        problem(where, "a CI log wants --no-progress")


def scan_writing(commands, fmt, where):
    """The command that writes --format fmt, and the file it writes to."""
    writers = [c for c in commands if fmt in c.value("--format")]
    if len(writers) != 1 or not writers[0].stdout:
        problem(where, f"expected one scan with --format {fmt} redirected to a file")
        return None, None
    return writers[0], writers[0].stdout


def load_yaml(path):
    try:
        with path.open(encoding="utf-8") as f:
            return yaml.safe_load(f)
    except yaml.YAMLError as error:
        problem(path.name, f"not YAML: {error}")
        return None


def check_github(path, commands):
    workflow = load_yaml(path)
    if not isinstance(workflow, dict):
        return problem(path.name, "not a workflow mapping")
    # YAML 1.1 reads the key "on" as the boolean true.
    if "on" not in workflow and True not in workflow:
        problem(path.name, "no 'on' trigger")
    jobs = workflow.get("jobs")
    if not isinstance(jobs, dict) or not jobs:
        return problem(path.name, "no jobs")
    _, sarif = scan_writing(commands, "sarif", path.name)
    uploads = 0
    for name, job in jobs.items():
        job = job if isinstance(job, dict) else {}
        steps = job.get("steps")
        if not job.get("runs-on") or not isinstance(steps, list) or not steps:
            problem(path.name, f"job {name} needs runs-on and a list of steps")
            continue
        for i, step in enumerate(steps):
            if not isinstance(step, dict) or ("uses" in step) == ("run" in step):
                problem(path.name, f"job {name}, step {i + 1}: needs exactly one of uses and run")
        steps = [s for s in steps if isinstance(s, dict)]
        uses = [str(s.get("uses", "")) for s in steps]
        if not any(u.startswith("actions/checkout@") for u in uses):
            problem(path.name, f"job {name} does not check out the repository")
        scan_at = next((i for i, s in enumerate(steps) if "--format sarif" in str(s.get("run", ""))), None)
        for i, step in enumerate(steps):
            if step.get("uses") != "github/codeql-action/upload-sarif@v3":
                continue
            uploads += 1
            inputs = step.get("with") or {}
            if sarif and inputs.get("sarif_file") != sarif:
                problem(path.name, f"upload-sarif uploads {inputs.get('sarif_file')!r}, the scan writes {sarif!r}")
            if not inputs.get("category"):
                problem(path.name, "upload-sarif has no category")
            if scan_at is None or scan_at > i:
                problem(path.name, "upload-sarif runs before the scan")
        permissions = {**(workflow.get("permissions") or {}), **(job.get("permissions") or {})}
        if permissions.get("security-events") != "write":
            problem(path.name, f"job {name} needs permissions: security-events: write to upload")
    if uploads != 1:
        problem(path.name, f"expected one github/codeql-action/upload-sarif@v3 step, found {uploads}")


def check_gitlab(path, commands):
    pipeline = load_yaml(path)
    if not isinstance(pipeline, dict):
        return problem(path.name, "not a pipeline mapping")
    _, report = scan_writing(commands, "codeclimate", path.name)
    jobs = {n: j for n, j in pipeline.items() if isinstance(j, dict) and "script" in j}
    quality = [(n, j) for n, j in jobs.items()
               if isinstance(j.get("artifacts"), dict) and "codequality" in (j["artifacts"].get("reports") or {})]
    if len(quality) != 1:
        return problem(path.name, "expected one job with artifacts: reports: codequality:")
    name, job = quality[0]
    if not isinstance(job["script"], list) or not all(isinstance(s, str) for s in job["script"]):
        problem(path.name, f"job {name}: script must be a list of command strings")
    named = job["artifacts"]["reports"]["codequality"]
    named = named if isinstance(named, list) else [named]
    if report and report not in named:
        problem(path.name, f"the codequality report names {named}, the scan writes {report!r}")
    if job["artifacts"].get("when") != "always":
        problem(path.name, "artifacts need when: always, or a failing review loses its report")
    if not any(c.value("--fail-on") for c in commands):
        problem(path.name, "the scan has no --fail-on")


def check_azure(path, commands):
    pipeline = load_yaml(path)
    if not isinstance(pipeline, dict):
        return problem(path.name, "not a pipeline mapping")
    steps = pipeline.get("steps")
    if not isinstance(steps, list) or not steps:
        return problem(path.name, "no steps")
    _, results = scan_writing(commands, "junit", path.name)
    publish = [s for s in steps if isinstance(s, dict) and s.get("task") == "PublishTestResults@2"]
    if len(publish) != 1:
        return problem(path.name, "expected one PublishTestResults@2 task")
    inputs = publish[0].get("inputs") or {}
    if inputs.get("testResultsFormat") != "JUnit":
        problem(path.name, "PublishTestResults@2 needs testResultsFormat: JUnit")
    if results and inputs.get("testResultsFiles") != results:
        problem(path.name, f"PublishTestResults@2 reads {inputs.get('testResultsFiles')!r}, the scan writes {results!r}")
    condition = str(publish[0].get("condition", ""))
    if "succeededOrFailed()" not in condition and "always()" not in condition:
        problem(path.name, "PublishTestResults@2 needs condition: succeededOrFailed() to publish a failed review")


def check_jenkins(path, commands):
    text = path.read_text(encoding="utf-8")
    code = re.sub(r"//[^\n]*", "", text)
    if text.count("{") != text.count("}"):
        problem(path.name, "unbalanced braces")
    if not re.search(r"^pipeline\s*\{", code, re.MULTILINE):
        problem(path.name, "not a declarative pipeline")
    for block in ("agent", "stages", "stage(", "steps", "post", "always"):
        if block not in code:
            problem(path.name, f"no {block} block")
    _, results = scan_writing(commands, "junit", path.name)
    junit = re.search(r"^\s*junit\b[^'\n]*'([^']+)'", code, re.MULTILINE)
    if not junit:
        problem(path.name, "no junit step")
    elif results and junit.group(1) != results:
        problem(path.name, f"junit reads {junit.group(1)!r}, the scan writes {results!r}")


def check_config(path):
    try:
        config = json.loads(path.read_text(encoding="utf-8"))
    except json.JSONDecodeError as error:
        return problem(path.name, f"not JSON: {error}")
    if not isinstance(config, dict):
        return problem(path.name, "not a JSON object")
    for key in sorted(set(config) - CONFIG_KEYS):
        problem(path.name, f'unknown key "{key}" (known: {", ".join(sorted(CONFIG_KEYS))})')
    for name in config.get("failOn", []):
        if name not in FINDING_LISTS:
            problem(path.name, f'failOn: "{name}" is not one of {", ".join(sorted(FINDING_LISTS))}')
    exclude = config.get("exclude", [])
    if not isinstance(exclude, list) or not all(isinstance(p, str) and p and "\\" not in p for p in exclude):
        problem(path.name, 'exclude must be a list of patterns with "/" separators')
    if not isinstance(config.get("codePage", "auto"), str):
        problem(path.name, "codePage must be a string")
    baseline = config.get("baseline", "")
    if not isinstance(baseline, str) or baseline.startswith("/") or not baseline.endswith(".psf"):
        problem(path.name, "baseline must be a relative path to a .psf file")


def check_quoted(page, folder):
    """Each example must appear, whole and unchanged, as a <pre><code> block of the page."""
    if not page.is_file():
        return problem(page.name, "missing")
    blocks = re.findall(r"<pre><code>(.*?)</code></pre>", page.read_text(encoding="utf-8"), re.DOTALL)
    quoted = {html.unescape(re.sub(r"<[^>]+>", "", b)).strip() for b in blocks}
    for name in EXAMPLE_FILES:
        path = folder / name
        if path.is_file() and path.read_text(encoding="utf-8").strip() not in quoted:
            problem(page.name, f"does not quote examples/ci/{name} as it is")


def main(argv):
    if len(argv) not in (2, 3):
        print(__doc__.splitlines()[2], file=sys.stderr)
        return 2
    cli = argv[1]
    repo = Path(__file__).resolve().parents[2]
    folder = Path(argv[2]) if len(argv) == 3 else repo / "examples" / "ci"

    help_output = help_text(cli)
    help_options = set(re.findall(r"(?<![\w-])--?[a-z][a-z-]*", help_output))
    help_words = set(re.findall(r"[a-z]+", help_output))

    checks = {"github-actions.yml": check_github, "gitlab-ci.yml": check_gitlab,
              "azure-pipelines.yml": check_azure, "Jenkinsfile": check_jenkins}
    total = 0
    for name in EXAMPLE_FILES:
        path = folder / name
        if not path.is_file():
            problem(name, "missing")
            continue
        commands = commands_in(path)
        total += len(commands)
        if name in checks:
            if not commands:
                problem(name, "no tallyscan6-cli command line")
            checks[name](path, commands)
        else:
            check_config(path)
        for command in commands:
            check_command(command, help_options, help_words, repo)

    check_quoted(repo / "docs" / "help" / "ci.htm", folder)

    if problems:
        for text in problems:
            print(text)
        print(f"{len(problems)} problem{'s' if len(problems) != 1 else ''} found", file=sys.stderr)
        return 1
    print(f"OK: {len(EXAMPLE_FILES)} examples, {total} tallyscan6-cli command lines checked")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
