#!/usr/bin/env bash
# Brings the translation catalogues up to date with the sources: strings new or changed
# in the sources come in unfinished, strings gone from them go. Run by
# `make translations`; then translate every unfinished message (Qt Linguist, or any text
# editor: fill in <translation> and drop its type="unfinished") and commit the catalogues.
# The catalogue test fails while one is left.
set -euo pipefail

cd "$(dirname "$0")/.."
lupdate=${LUPDATE:-/usr/lib/qt6/bin/lupdate}
# Without source locations, an edit elsewhere in a file does not touch the catalogues.
"$lupdate" -locations none -no-obsolete -source-language en src -ts translations/scriblo_*.ts
grep -c 'type="unfinished"' translations/scriblo_*.ts | sed 's/:/: unfinished: /' || true
