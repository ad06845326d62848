#!/usr/bin/env bash
# Installs the Debian packages named that are not installed yet. As root it
# runs apt-get; otherwise it prints the exact command to run and fails.
missing=""
for p in "$@"; do
    dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q 'install ok installed' || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
if [ "$(id -u)" = 0 ]; then
    echo "Installing:$missing"
    apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
else
    echo "These packages are missing. Install them with:"
    echo "  sudo apt-get install$missing"
    exit 1
fi
