#!/usr/bin/env bash
# Removes what `make install` put under PREFIX (and DESTDIR): the list is the install
# rules' own, made again in a scratch folder, so it does not depend on which install
# ran last. Only Scriblo's own folders are removed with the files; shared ones such as
# share/applications stay, even when empty.
set -euo pipefail

build_dir=${1:?usage: uninstall.sh BUILD_DIR PREFIX}
prefix=${2:?usage: uninstall.sh BUILD_DIR PREFIX}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

DESTDIR=$scratch cmake --install "$build_dir" --prefix "$prefix" >/dev/null
cd "$scratch"
find . ! -type d | sed 's/^\.//' | while IFS= read -r file; do
    if [[ -e "${DESTDIR:-}$file" || -L "${DESTDIR:-}$file" ]]; then
        rm -f "${DESTDIR:-}$file"
        echo "removed ${DESTDIR:-}$file"
    fi
done
find . -depth -type d -path '*/scriblo*' | sed 's/^\.//' | while IFS= read -r folder; do
    rmdir "${DESTDIR:-}$folder" 2>/dev/null || true
done
