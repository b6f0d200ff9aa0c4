#!/usr/bin/env bash
# Installs the Debian packages the build needs that this machine lacks.
# Usage: scripts/deps.sh [PACKAGE...]   (extra packages on top of the base set)
# The base set covers the library, its tests and the command-line tool
# (CLI11, nlohmann-json, stb's image headers and zlib for PNG files), and the
# install check (dpkg-dev for the Debian packages, pkgconf); Node.js and npm
# run the tool's glTF check.
set -euo pipefail
base=(cmake g++ make libgtest-dev libcli11-dev libstb-dev zlib1g-dev nlohmann-json3-dev dpkg-dev pkgconf)
missing=()
for package in "${base[@]}" "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
# Node.js may come from elsewhere than Debian's package; only a missing
# command brings in Debian's.
if ! command -v node >/dev/null 2>&1 || ! command -v npm >/dev/null 2>&1; then
    missing+=(nodejs npm)
fi
if [ ${#missing[@]} -gt 0 ]; then
    echo "installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    sudo_cmd=""
    [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
    $sudo_cmd apt-get update -qq
    $sudo_cmd apt-get install -y -qq "${missing[@]}" >/dev/null
fi
# A single-byte locale, so that the tests see bytes from 128 up lower-cased
# as they are under a user's locale (C and C.UTF-8 lower none of them).
if command -v localedef >/dev/null 2>&1 && ! locale -a 2>/dev/null | grep -qi '^de_DE\.iso88591$'; then
    sudo_cmd=""
    [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
    $sudo_cmd localedef -i de_DE -f ISO-8859-1 de_DE.ISO-8859-1 || true
fi
