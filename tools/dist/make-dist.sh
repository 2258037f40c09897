#!/usr/bin/env bash
# make dist: build/dist/tavi-VERSION-win32.zip with tavi.exe, README.txt, LICENSE and SHA256SUMS,
# bit for bit the same from any checkout of the same commit, wherever and whenever it is built.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
version=$(sed -n 's/^project(tavi VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
name="tavi-$version-win32"
out="$root/build/dist"
stage="$out/$name"
rm -rf "$stage" "$out/$name.zip"
mkdir -p "$stage"

# Text files for Windows: CRLF line ends, so that every Notepad shows them.
cp "$root/build/win32/tavi.exe" "$stage/tavi.exe"
sed -e "s/@VERSION@/$version/" -e 's/\r*$/\r/' "$root/tools/dist/README.txt" >"$stage/README.txt"
sed 's/\r*$/\r/' "$root/LICENSE" >"$stage/LICENSE"
# The checksums with LF line ends: every checker reads those (shasum -a 256 -c fails on CRLF).
(cd "$stage" && sha256sum tavi.exe README.txt LICENSE >SHA256SUMS)

# Fixed file modes and dates (the commit's, in UTC), no extra fields, fixed order.
stamp=$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 1796601600)
chmod 0644 "$stage"/*
touch -d "@$stamp" "$stage"/*
(cd "$stage" && TZ=UTC zip -q -X -D "$out/$name.zip" tavi.exe README.txt LICENSE SHA256SUMS)
(cd "$out" && sha256sum "$name.zip" >"$name.zip.sha256")

echo "dist: build/dist/$name.zip"
(cd "$out" && sha256sum "$name.zip" "$name/tavi.exe")
# The zip's own SHA256SUMS, checked as a user checks it: with sha256sum and with Perl's shasum.
check=$(mktemp -d)
trap 'rm -rf "$check"' EXIT
(cd "$check" && unzip -q "$out/$name.zip" && sha256sum -c --quiet SHA256SUMS && shasum -a 256 -c --quiet SHA256SUMS)
