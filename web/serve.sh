#!/usr/bin/env bash
# Serves the built page on the loopback address and prints where.
#   web/serve.sh PAGE_DIR [PORT]
set -euo pipefail
port=${2:-8800}
echo "Tarnvale in the browser: http://127.0.0.1:$port/"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$1"
