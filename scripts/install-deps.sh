#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Scriblo need.
# Only missing packages are fetched, so a second run costs a few dpkg queries.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config clang libclang-rt-14-dev
  # LLVM's linker links the test programs in a fifth of GNU ld's time.
  lld
  libgtest-dev libgmock-dev libbenchmark-dev
  # lrelease compiles the translation catalogues and lupdate checks them against the
  # sources; help2man makes the manual page from the program's help.
  qt6-l10n-tools help2man
  # Qt's own texts (standard buttons, file dialogs) in the user's language; the
  # translation tests read its German catalogue.
  qt6-translations-l10n
  libplist-dev nlohmann-json3-dev
  libevdev-dev libudev-dev evemu-tools
  qt6-base-dev libglib2.0-dev libsqlite3-dev
  libx11-dev libxi-dev libxfixes-dev libxtst-dev
  # Most icon themes draw program icons from SVG files, and the gesture sheet can be
  # written as SVG.
  qt6-svg-dev
  # The gesture sheet's PNG pages are written with libpng, set for speed.
  libpng-dev
  xvfb xz-utils xdotool x11-utils x11-xserver-utils dbus-daemon
  # A compositing manager that tests start and stop under the running program.
  xcompmgr
  # The accessibility bus through which the setup window's end-to-end test drives it.
  at-spi2-core
  # A window manager, under which the setup window's notices must still come up on top.
  openbox
  # Draws the menu icons' PNG sizes from the SVG at build time.
  librsvg2-bin
  # Headless Wayland compositors for the end-to-end tests of Wayland sessions.
  weston xwayland mutter
  # A real tray for the tray icon's end-to-end test: the systray plugin is both a
  # StatusNotifierItem host and an XEmbed tray; icons are looked up in hicolor.
  xfce4-panel hicolor-icon-theme
)
# `make package-check` validates the package with these too.
if [[ "${1:-}" == "--package-tools" ]]; then
  packages+=(lintian desktop-file-utils appstream)
fi

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
