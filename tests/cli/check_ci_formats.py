#!/usr/bin/env python3
"""Checks the pipeline formats of the sample project with independent tools: the SARIF log against
the SARIF 2.1.0 JSON schema (tests/data/sarif-2.1.0.json), the JUnit XML with xml.etree and the
Code Climate report with json, each with the fields the pipelines read."""
import json
import subprocess
import sys
import xml.etree.ElementTree as ET

import jsonschema

cli, project, schema_path = sys.argv[1], sys.argv[2], sys.argv[3]


def run(fmt):
    done = subprocess.run([cli, "scan", project, "--no-progress", "--format", fmt], capture_output=True)
    assert done.returncode == 0, done.stderr
    assert b"project:" in done.stderr, "the summary goes to stderr"
    return done.stdout.decode("utf-8")


sarif = json.loads(run("sarif"))
schema = json.load(open(schema_path, encoding="utf-8"))
jsonschema.validators.validator_for(schema)(schema).validate(sarif)
(log,) = sarif["runs"]
driver = log["tool"]["driver"]
assert [r["id"] for r in driver["rules"]] == ["TS6001", "TS6002", "TS6003", "TS6004", "TS6005"]
assert all(r["helpUri"].endswith("#" + r["id"]) for r in driver["rules"])
assert log["invocations"][0]["commandLine"].startswith("tallyscan6-cli scan ")
assert log["originalUriBaseIds"]["PROJECTROOT"]["uri"].startswith("file:///")
results = log["results"]
assert results, "the sample has findings"
fingerprints = [r["partialFingerprints"]["tallyscan/v1"] for r in results]
assert len(set(fingerprints)) == len(fingerprints), "fingerprints are unique"
for r in results:
    location = r["locations"][0]["physicalLocation"]
    assert location["artifactLocation"]["uriBaseId"] == "PROJECTROOT"
    assert not location["artifactLocation"]["uri"].startswith("/")
assert any("region" in r["locations"][0]["physicalLocation"] for r in results), "routine lines are known"

suites = ET.fromstring(run("junit"))
assert suites.tag == "testsuites"
cases = suites.findall("./testsuite/testcase")
assert len(cases) == 5 and all(c.get("name") and c.get("classname") for c in cases)
failed = [c for c in cases if c.find("failure") is not None]
assert int(suites.get("failures")) == len(failed) > 0
assert all(f.find("failure").text.strip() for f in failed)

issues = json.loads(run("codeclimate"))
assert len(issues) == len(results) - sum(1 for r in results if "suppressions" in r)
for issue in issues:
    assert issue["type"] == "issue" and issue["description"] and issue["check_name"].startswith("TS600")
    assert issue["fingerprint"] and issue["severity"] in ("info", "minor", "major", "critical", "blocker")
    assert issue["location"]["path"] and issue["location"]["lines"]["begin"] >= 1
print("sarif, junit and codeclimate:", len(results), "findings")
