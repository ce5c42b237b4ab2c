#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the installed user guide's links and
# pictures, and that the desktop files are where a desktop looks for them.
set -euo pipefail
build=$1
checker=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/tallyscan6-cli share/applications/tallyscan6.desktop share/mime/packages/tallyscan6.xml \
         share/icons/hicolor/scalable/apps/tallyscan6.svg share/tallyscan6/help/tools.htm; do
    [ -e "$prefix/$f" ] || { echo "not installed: $f"; exit 1; }
done
python3 "$checker" "$prefix/share/tallyscan6/help"
