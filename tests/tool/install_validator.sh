#!/usr/bin/env bash
# Installs the glTF validator for the tool's tests into DIR, which holds the
# committed package.json and package-lock.json. When the npm registry cannot
# be reached the install is skipped and the validation test says so.
set -uo pipefail
dir=$1
if [ -f "$dir/node_modules/gltf-validator/package.json" ]; then
    echo "gltf-validator already installed"
    exit 0
fi
if ! command -v npm >/dev/null 2>&1; then
    echo "npm is missing: run scripts/deps.sh" >&2
    exit 1
fi
if output=$(cd "$dir" && npm ci --no-audit --no-fund 2>&1); then
    echo "$output"
    exit 0
fi
echo "$output"
if grep -qE 'ENOTFOUND|ECONNREFUSED|ECONNRESET|ETIMEDOUT|EAI_AGAIN|ENETUNREACH|network' <<<"$output"; then
    echo "the npm registry is unreachable: glTF validation will be skipped"
    exit 0
fi
exit 1
