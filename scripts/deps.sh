#!/bin/sh
# Installs the Debian 12 packages the build, the tests and the demo need (as root).
set -e
PKGS="cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6sql6-psql
qt6-pdf-dev qt6-image-formats-plugins qt6-l10n-tools poppler-utils fonts-liberation
libgtest-dev libbenchmark-dev postgresql"
missing=""
for p in $PKGS; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    apt-get install -y -q --no-install-recommends $missing
fi
