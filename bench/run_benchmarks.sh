#!/usr/bin/env bash
# Runs every benchmark; run from the build folder (make bench does).
set -euo pipefail
cd "$(dirname "$0")/.."
XVFB=(xvfb-run -a -s "-screen 0 2048x1280x24 -nolisten tcp")

echo "== Image loading (Google Benchmark) =="
./bench/bmp_bench --benchmark_min_time=1

echo
echo "== Frame rate, 800 x 600 =="
"${XVFB[@]}" ./bench/frame_bench "$PWD/run" 800 600 300
echo
echo "== Frame rate, 1920 x 1080 =="
"${XVFB[@]}" ./bench/frame_bench "$PWD/run" 1920 1080 200

echo
echo "== The page in headless Chromium: 800 x 600, and a phone with its CPU slowed four times (make web builds it) =="
TARNVALE_WEB="$PWD/web" /usr/bin/python3 "@CMAKE_SOURCE_DIR@/bench/web_bench.py" 10

echo
echo "== The frame inspector: the page with it built in beside the page without it, and its own times =="
TARNVALE_INSPECTOR=0 "@CMAKE_SOURCE_DIR@/web/build.sh" "$PWD" "$PWD/web-plain" >/dev/null
TARNVALE_WEB="$PWD/web" /usr/bin/python3 "@CMAKE_SOURCE_DIR@/bench/inspect_bench.py" "$PWD/web-plain" 10

echo
echo "== The frame inspector on every example's page =="
TARNVALE_WEB="$PWD/web" /usr/bin/python3 "@CMAKE_SOURCE_DIR@/bench/inspect_examples_bench.py"

echo
echo "== The heaviest example natively (Mesa's llvmpipe) and as its page (make web builds it) =="
"${XVFB[@]}" /usr/bin/python3 "@CMAKE_SOURCE_DIR@/bench/examples_bench.py" "$PWD/examples/crowd" "$PWD/web"

echo
echo "== A frame natively (Mesa's llvmpipe) and on the page, lit in WebGL's vertex shader and on the main thread =="
"${XVFB[@]}" /usr/bin/python3 "@CMAKE_SOURCE_DIR@/bench/pipeline_bench.py" "$PWD"

echo
echo "== The differential tester: ten thousand random programs on the desktop and on the page =="
"${XVFB[@]}" /usr/bin/python3 "@CMAKE_SOURCE_DIR@/tests/conformance/conformance.py" ./tests/conformance_runner \
    "$PWD/conformance-page" --seeds 0:10000 --shrink 3 || true

echo
echo "== Resident memory of the running program =="
"${XVFB[@]}" bash -c '
    cd run && { ../tarnvale >/dev/null & pid=$!; }
    timeout 20 xdotool search --sync --name "^Tarnvale$" >/dev/null
    rss() { awk "/VmRSS/ {print \$2}" /proc/$pid/status; }
    sleep 5; first=$(rss)
    sleep 30; second=$(rss)
    echo "after 5 s: $first kB, after 35 s: $second kB"
    kill $pid'
