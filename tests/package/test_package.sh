# Builds the Debian package, checks it as Debian would (lintian, the menu
# entry, the manual page, the computed dependencies), installs it, starts
# `tarnvale` from / under this Xvfb, quits it with q and removes the package
# again, checking that it finds its textures and leaves no file behind.
#   test_package.sh BUILD_DIR     (run as root; exits 77, skipped, otherwise)
set -euo pipefail
build=$(cd "$1" && pwd)
skip() { echo "SKIPPED: $*"; exit 77; }
fail() { echo "FAIL: $*" >&2; exit 1; }
[ "$(id -u)" = 0 ] || skip "installing a package needs root"
! dpkg-query -W -f='${Status}' tarnvale 2>/dev/null | grep -q 'ok installed' ||
    skip "a tarnvale package is already installed here; it is left alone"

work=$(mktemp -d)
pid=""
cleanup() {
    [ -z "$pid" ] || kill "$pid" 2>/dev/null || true
    dpkg-query -W tarnvale >/dev/null 2>&1 && dpkg --purge tarnvale >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" >cpack.log) || fail "cpack: $(cat "$work/cpack.log")"
deb=$(ls "$work"/tarnvale_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
names=$(tr ',|' '\n\n' <<<"$depends" | awk '{print $1}')
! grep -Eqx -- '.*-dev|cmake|make|clang.*|g\+\+.*|gcc.*|build-essential|xvfb|xdotool|lintian|chromium.*' <<<"$names" ||
    fail "build or test tools among the dependencies: $depends"
for lib in 'libglut[0-9.]*' 'libglu1.*' 'libgl1|libopengl0' 'libgl1-mesa-dri'; do
    grep -Eqx -- "$lib" <<<"$names" || fail "no $lib among the dependencies: $depends"
done

# lintian, at every level from warning up; root's notice is not a finding.
lintian --fail-on none -E "$deb" 2>&1 | grep -v 'running with root privileges' | grep -E '^[EW]:' >"$work/lintian" || true
[ ! -s "$work/lintian" ] || fail "lintian: $(cat "$work/lintian")"

dpkg -i "$deb" >"$work/dpkg.log" 2>&1 || fail "dpkg -i: $(cat "$work/dpkg.log")"
dpkg-query -L tarnvale >"$work/files"
grep -qx /usr/share/applications/tarnvale.desktop "$work/files" || fail "no menu entry"
[ "$(ls /usr/share/tarnvale/*.bmp | wc -l)" = 14 ] || fail "not fourteen textures"
out=$(desktop-file-validate /usr/share/applications/tarnvale.desktop 2>&1) && [ -z "$out" ] ||
    fail "desktop-file-validate: $out"

# The manual page renders and names every key of the README's table.
manual=$(MANWIDTH=80 man -l /usr/share/man/man1/tarnvale.1.gz 2>"$work/man.err" | col -b | tr -s ' \n' '  ')
[ -n "$manual" ] && [ ! -s "$work/man.err" ] || fail "man: $(cat "$work/man.err")"
readme=$(dirname "$0")/../../README.md
keys=$(sed -n '/^## Keys/,/^## /p' "$readme" | awk -F'|' 'NR > 4 && NF > 2 {print $2}' | tr -d '`' |
       sed 's# / #\n#g; s#, #\n#g' | sed 's/^ *//; s/ *$//' | grep .)
[ "$(wc -l <<<"$keys")" -ge 14 ] || fail "the README's key table was not found"
while read -r key; do
    grep -qw -- "$key" <<<"$manual" || fail "the manual page does not name the key '$key'"
done <<<"$keys"
grep -q "$(basename "$deb")" "$readme" || fail "the README does not name $(basename "$deb")"

(cd / && exec tarnvale >"$work/stdout" 2>"$work/stderr") &
pid=$!
wid=$(timeout 20 xdotool search --sync --name '^Tarnvale$' | head -n 1) || fail "no window appeared"
xdotool windowfocus --sync "$wid" key q
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
status=0
wait "$pid" || status=$?
pid=""
[ "$status" = 0 ] || fail "tarnvale ended with status $status: $(tail -5 "$work/stderr")"
! grep -q "Could not open file" "$work/stdout" || fail "textures not found: $(cat "$work/stdout")"

dpkg --purge tarnvale >"$work/dpkg.log" 2>&1 || fail "dpkg --purge: $(cat "$work/dpkg.log")"
left=""
while read -r f; do
    # Folders that other packages share (/usr/bin and the like) stay.
    if [ -f "$f" ] || [ -L "$f" ] || { [ -d "$f" ] && [[ $f == */tarnvale ]]; }; then left="$left $f"; fi
done <"$work/files"
[ -z "$left" ] || fail "left behind:$left"
echo "package ok: $(basename "$deb"), depends on $depends"
