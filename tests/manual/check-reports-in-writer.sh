#!/usr/bin/env bash
# Opens the two reports of the sample project in a real word processor (LibreOffice Writer, headless),
# checks that every heading and row survived the conversion to PDF, and renders page 1 of each into
# docs/report-code.png and docs/report-statistics.png. Run by hand; not part of CI.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD

need=()
command -v soffice >/dev/null || need+=(libreoffice-writer-nogui)
command -v pdftotext >/dev/null || need+=(poppler-utils)
if [ ${#need[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${need[@]}" >/dev/null
fi

[ -f build/build.ninja ] || flock /tmp/build.lock cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
flock /tmp/build.lock cmake --build build -j2 --target tallyscan6-cli >/dev/null
cli=$root/build/src/cli/tallyscan6-cli

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$cli" scan examples/sample/Hourglass.vbp --no-progress --save "$work/sample.psf" >/dev/null

failed=0
for kind in code statistics; do
    "$cli" open "$work/sample.psf" --report "$kind" --out "$work/$kind.rtf"
    "$cli" open "$work/sample.psf" --report "$kind" --out "$work/$kind.txt"
    HOME=$work soffice --headless --convert-to pdf --outdir "$work" "$work/$kind.rtf" >/dev/null 2>&1
    pdftotext -layout "$work/$kind.pdf" "$work/$kind.pdf.txt"
    # Every line of the report's own text must be in the PDF, blanks and tabs aside. The title's
    # date line is left out: the two files may have been made a minute apart.
    python3 - "$work/$kind.txt" "$work/$kind.pdf.txt" <<'PY' || failed=1
import re, sys
def lines(path):
    with open(path, encoding="utf-8") as f:
        return [re.sub(r"\s+", " ", l).strip() for l in f.read().replace("\f", "\n").splitlines()]
want = [l for l in lines(sys.argv[1]) if l and not re.search(r"\d{4} \d+:\d\d [AP]M$", l)]
have = set(lines(sys.argv[2]))
missing = [l for l in want if l not in have]
for l in missing:
    print("missing in the PDF:", l)
print(f"{sys.argv[1]}: {len(want) - len(missing)} of {len(want)} lines found in the PDF")
sys.exit(1 if missing else 0)
PY
    pdftoppm -png -r 80 -f 1 -l 1 -singlefile "$work/$kind.pdf" "docs/report-$kind"
done
[ $failed -eq 0 ] && echo "Both reports read back from LibreOffice with every line." || exit 1
