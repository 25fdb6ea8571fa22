#!/bin/sh
# Installs the Debian packages the build, the tests and the tools need.
# Only what is missing is installed; run as root or through sudo.
set -eu

PACKAGES="
build-essential cmake
libgtest-dev libgmock-dev libbenchmark-dev
qt6-base-dev qt6-base-dev-tools libgl-dev
fonts-liberation fonts-dejavu-core
xvfb xauth x11-apps imagemagick
clang libclang-rt-dev
nlohmann-json3-dev
time python3
locales
"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

# The core's tests set a locale with a "," decimal mark: de_DE.UTF-8.
need_locale=true
locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$' && need_locale=false

[ -z "$missing" ] && [ "$need_locale" = false ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    SUDO=""
elif command -v sudo >/dev/null 2>&1; then
    SUDO="sudo"
else
    echo "install-deps: missing packages:$missing; de_DE.UTF-8 locale needed: $need_locale (run as root or install sudo)" >&2
    exit 1
fi

if [ -n "$missing" ]; then
    export DEBIAN_FRONTEND=noninteractive
    $SUDO apt-get update -qq
    # shellcheck disable=SC2086
    $SUDO apt-get install -y -qq --no-install-recommends $missing
fi
if [ "$need_locale" = true ]; then
    $SUDO localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
