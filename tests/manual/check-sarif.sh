#!/usr/bin/env bash
# Validates the CLI's SARIF output of the sample project with Microsoft's SARIF Multitool (the
# validator GitHub points to): the SARIF 2.1.0 JSON schema and the tool's own rules. Run by hand
# after building tallyscan6-cli; needs npm the first time. Not part of CI.
#
# Usage: tests/manual/check-sarif.sh [FILE.sarif]   (a file given is validated instead of a scan)
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The validator is a self-contained .NET program in an npm package; a copy unpacked before
# (in /tmp/sarif, or named by $SARIF_MULTITOOL) is used as it is.
multitool=${SARIF_MULTITOOL:-/tmp/sarif/package/Sarif.Multitool}
if [ ! -f "$multitool" ]; then
    command -v npm >/dev/null || { echo "check-sarif.sh: needs npm to fetch the validator" >&2; exit 2; }
    (cd "$work" && npm pack --silent @microsoft/sarif-multitool-linux >/dev/null)
    tar -xzf "$work"/microsoft-sarif-multitool-linux-*.tgz -C "$work" package/Sarif.Multitool
    multitool=$work/package/Sarif.Multitool
fi
[ -x "$multitool" ] || chmod +x "$multitool"
# Without ICU installed .NET refuses to start; invariant globalization is enough for validating.
export DOTNET_SYSTEM_GLOBALIZATION_INVARIANT=${DOTNET_SYSTEM_GLOBALIZATION_INVARIANT:-1}
export DOTNET_CLI_TELEMETRY_OPTOUT=1

if [ $# -gt 0 ]; then
    sarif=$(realpath "$1")
    shown=$1
else
    cli=$root/build/src/cli/tallyscan6-cli
    [ -x "$cli" ] || { echo "check-sarif.sh: build the CLI first: scripts/build.sh tallyscan6-cli" >&2; exit 2; }
    sarif=$work/hourglass.sarif
    shown="the SARIF of examples/sample/Hourglass.vbp"
    # Exit code 3 (unreviewed findings) still writes the whole document.
    status=0
    "$cli" scan examples/sample/Hourglass.vbp --format sarif --no-progress >"$sarif" 2>"$work/stderr" || status=$?
    if [ "$status" -ne 0 ] && [ "$status" -ne 3 ]; then
        cat "$work/stderr" >&2
        echo "check-sarif.sh: tallyscan6-cli exited with $status" >&2
        exit 1
    fi
fi

# The Multitool exits with 0 even when the file breaks the schema; its verdict is the log it
# writes with -o, whose results are the problems found (errors and warnings by default).
"$multitool" validate "$sarif" --output "$work/validation.sarif" --log ForceOverwrite >"$work/validate.log" 2>&1 || {
    cat "$work/validate.log" >&2
    echo "check-sarif.sh: the validator did not run" >&2
    exit 1
}
# Its console lines name each problem as FILE(LINE,COLUMN): error|warning RULE: text.
grep -E ': (error|warning) ' "$work/validate.log" | sed "s|^$sarif|$shown|" || true
python3 - "$work/validation.sarif" "$shown" <<'PY'
import json, sys
log = json.load(open(sys.argv[1], encoding="utf-8"))
results, notices = [], []
for run in log.get("runs", []):
    results += [r.get("ruleId") for r in run.get("results", [])]
    for invocation in run.get("invocations", []):
        notices += [n.get("message", {}).get("text", "") for n in invocation.get("toolExecutionNotifications", [])]
        if invocation.get("executionSuccessful") is False:
            notices.append("the validator's run did not succeed")
for text in notices:
    print("validator:", text)
if results or notices:
    sys.exit(f"{sys.argv[2]}: {len(results)} problem(s) found by the SARIF Multitool ({', '.join(sorted(set(results)))})")
print(f"{sys.argv[2]}: valid SARIF 2.1.0, no errors or warnings from the SARIF Multitool")
PY
