#!/usr/bin/env bash
# Installs the Debian packages the build needs that this machine lacks.
# Usage: scripts/deps.sh [PACKAGE...]   (extra packages on top of the base set)
set -euo pipefail
base=(cmake g++ make libgtest-dev)
missing=()
for package in "${base[@]}" "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    sudo_cmd=""
    [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
    $sudo_cmd apt-get update -qq
    $sudo_cmd apt-get install -y -qq "${missing[@]}" >/dev/null
fi
