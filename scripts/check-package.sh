#!/usr/bin/env bash
# Checks the Debian package that `make package` built: its contents are exactly what a
# user needs, the desktop files and the package pass their validators, and the program
# starts from an unpacked copy. Run by `make package-check`; CI does not run it.
set -euo pipefail

build_dir=${1:-build}
deb=$(ls "$build_dir"/scriblo_*.deb | head -n 1)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

echo "== contents of $deb"
dpkg-deb -c "$deb" | awk '{ $1=$2=$3=$4=$5=""; sub(/^ +/, ""); print }' | sed 's/ -> .*//' | grep -v '/$' | sort >"$scratch/contents"
cat "$scratch/contents"

expected='^\./usr/(bin/scriblo|share/applications/org\.scriblo\.Scriblo\.desktop|share/metainfo/org\.scriblo\.Scriblo\.metainfo\.xml|share/icons/hicolor/(scalable|[0-9]+x[0-9]+)/apps/org\.scriblo\.Scriblo\.(svg|png)|share/scriblo/Scripts/[^/]+|share/scriblo/translations/scriblo_[a-z_]+\.qm|share/scriblo/screenshots/[a-z-]+\.png|share/man/man1/scriblo\.1\.gz|lib/udev/rules\.d/70-scriblo-touchpad\.rules|share/doc/scriblo/(copyright|changelog\.gz))$'
if grep -Ev "$expected" "$scratch/contents"; then
    echo "unexpected files in the package (above)" >&2
    exit 1
fi
for needed in bin/scriblo share/icons/hicolor/48x48/apps/org.scriblo.Scriblo.png lib/udev/rules.d/70-scriblo-touchpad.rules \
    share/man/man1/scriblo.1.gz share/scriblo/translations/scriblo_{de,es,fr}.qm; do
    grep -qx "./usr/$needed" "$scratch/contents" || { echo "missing: $needed" >&2; exit 1; }
done
dpkg-deb -I "$deb" postinst | grep -q "udevadm trigger" || { echo "postinst does not trigger udev" >&2; exit 1; }

echo "== validators"
dpkg-deb -x "$deb" "$scratch/root"
desktop-file-validate "$scratch/root/usr/share/applications/org.scriblo.Scriblo.desktop"
appstreamcli validate --no-net "$scratch/root/usr/share/metainfo/org.scriblo.Scriblo.metainfo.xml"
lintian --fail-on error,warning --display-info "$deb"
for image in $(sed -n 's|.*<image>https://scriblo.org/screenshots/\(.*\)</image>.*|\1|p' "$scratch/root/usr/share/metainfo/org.scriblo.Scriblo.metainfo.xml"); do
    [[ -f "$scratch/root/usr/share/scriblo/screenshots/$image" ]] || { echo "screenshot not in the package: $image" >&2; exit 1; }
done

echo "== make install and make uninstall, against the package"
make --no-print-directory install BUILD_DIR="$build_dir" PREFIX=/usr DESTDIR="$scratch/installed" >/dev/null
(cd "$scratch/installed" && find . ! -type d | sort) >"$scratch/installed-files"
diff -u "$scratch/contents" "$scratch/installed-files" || { echo "make install differs from the package (above)" >&2; exit 1; }
make --no-print-directory uninstall BUILD_DIR="$build_dir" PREFIX=/usr DESTDIR="$scratch/installed" >/dev/null
left=$(cd "$scratch/installed" && find . ! -type d)
[[ -z "$left" ]] || { echo "make uninstall left: $left" >&2; exit 1; }

echo "== unpacked program"
"$scratch/root/usr/bin/scriblo" --version
env -u SCRIBLO_BUILTIN_SCRIPTS "$scratch/root/usr/bin/scriblo" targets list --kind scripts | grep -q $'^scripts\tbuiltin:' \
    || { echo "the unpacked program does not find its built-in scripts" >&2; exit 1; }
echo "package OK"
