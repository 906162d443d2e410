#!/usr/bin/env bash
# Builds the Debian package from the build and checks it: lintian finds no
# error nor warning, the files stand in the Linux layout, and the dependencies
# name the libraries the programs load.
#
# usage: package_test.sh BUILD_DIR
set -uo pipefail

build=$(cd "$1" && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
failures=0
passes=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { passes=$((passes + 1)); }

if ! cpack -G DEB -B "$out" --config "$build/CPackConfig.cmake" >"$out/cpack.log" 2>&1; then
    cat "$out/cpack.log"
    echo "0 passed, 1 failed"
    exit 1
fi
deb=$(ls "$out"/chess-vorlix_*.deb)

# Lintian, less its note that it runs as root.
lintian --fail-on error,warning "$deb" >"$out/lintian.txt" 2>&1
status=$?
grep -v "running with root privileges" "$out/lintian.txt"
[ $status -eq 0 ] && pass || fail "lintian reports errors or warnings"

dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$out/files"
for file in /usr/bin/chess-vorlix /usr/bin/vorlix /usr/lib/chess-vorlix/vorlix-rendering \
    /usr/share/chess-vorlix/default.vxd /usr/share/applications/chess-vorlix.desktop \
    /usr/share/mime/packages/chess-vorlix.xml /usr/share/man/man1/vorlix.1.gz \
    /usr/share/doc/chess-vorlix/copyright /usr/share/bash-completion/completions/vorlix; do
    grep -qx "$file" "$out/files" && pass || fail "the package has no $file"
done
outside=$(grep -v '^/$' "$out/files" | grep -v '^/usr/' | tr '\n' ' ')
[ -z "$outside" ] && pass || fail "files outside /usr: $outside"

depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6multimedia6 libqt6svg6 libjpeg62-turbo libgif7; do
    [[ $depends == *"$library"* ]] && pass || fail "Depends lacks $library: $depends"
done
dpkg-deb -e "$deb" "$out/control"
scripts=$(ls "$out/control" | tr '\n' ' ')
[ "$scripts" = "control md5sums postinst postrm " ] && pass || fail "maintainer files: $scripts"

echo "$passes passed, $failures failed"
[ $failures -eq 0 ]
