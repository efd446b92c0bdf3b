#!/usr/bin/env bash
# Takes the screenshots that the AppStream metadata names, with the demonstration on its
# private X server, and keeps them in data/screenshots without the demonstration's step
# numbers. Run by `make screenshots`; commit the pictures that changed.
set -euo pipefail

build_dir=${1:-build}
cd "$(dirname "$0")/.."
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# The metadata's screenshots show the program in English, whatever this machine speaks.
env -u LC_ALL -u LC_MESSAGES LANGUAGE=en LANG=C.UTF-8 "$build_dir/scriblo" demo --screenshots "$scratch" >/dev/null
for name in $(sed -n 's|.*<image>https://scriblo.org/screenshots/\(.*\)\.png</image>.*|\1|p' data/org.scriblo.Scriblo.metainfo.xml); do
    taken=("$scratch"/[0-9][0-9]-"$name".png)
    [[ -f "${taken[0]}" ]] || { echo "the demonstration took no screenshot named $name" >&2; exit 1; }
    cp "${taken[0]}" "data/screenshots/$name.png"
    echo "data/screenshots/$name.png"
done
