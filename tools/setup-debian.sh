#!/bin/sh
# Installs the Debian packages Veloria needs to build, test and run, when any is missing.
set -e
PACKAGES="cmake ninja-build g++ pkg-config qt6-base-dev libqt6printsupport6 qt6-translations-l10n libsqlite3-dev zlib1g-dev
 libjpeg-dev python3-fonttools libgtest-dev libgmock-dev libbenchmark-dev libpng-dev libspng-dev fonts-wqy-microhei clang
 libclang-rt-14-dev icu-devtools xvfb xauth python3 libxcb1-dev libxcb-damage0-dev"
missing=""
for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq $missing
