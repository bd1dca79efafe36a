#!/bin/bash
# Builds the Debian package of a build tree with CPack and checks it as a user
# installing it would meet it: the file list, the control data (library
# dependencies found by dpkg-shlibdeps, the fonts), and the unpacked tool.
# Usage: package_test.sh BUILD_DIR VERSION
set -u
build=$1 version=$2
if ! command -v dpkg-deb >/dev/null; then
  echo "SKIP: dpkg-deb is not installed"
  exit 77
fi
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
failures=0
fail() { echo "FAIL: $1"; failures=$((failures + 1)); }

if ! cpack -G DEB -B "$out" --config "$build/CPackConfig.cmake" >"$out/cpack.log" 2>&1; then
  cat "$out/cpack.log"
  echo "FAIL: cpack"
  exit 1
fi
deb="$out/symcalc_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { ls "$out"; echo "FAIL: no $(basename "$deb")"; exit 1; }

contents=$(dpkg-deb --contents "$deb" | awk '{print $6}')
for f in /usr/bin/symcalc /usr/bin/symcalc-cli /usr/share/applications/symcalc.desktop \
         /usr/share/icons/hicolor/scalable/apps/symcalc.svg \
         /usr/share/man/man1/symcalc.1.gz /usr/share/man/man1/symcalc-cli.1.gz \
         /usr/share/metainfo/io.github.symcalc.symcalc.metainfo.xml \
         /usr/share/doc/symcalc/copyright; do
  grep -qx "\.$f" <<<"$contents" || fail "$f is not in the package"
done

info=$(dpkg-deb --info "$deb") || fail "dpkg-deb --info"
echo "$info"
depends=$(dpkg-deb --field "$deb" Depends)
# The libraries come from dpkg-shlibdeps, the fonts from our own list.
for dependency in fonts-liberation2 libqt6widgets6 libc6; do
  grep -q "\b$dependency\b" <<<"$depends" || fail "Depends lacks $dependency: $depends"
done
[ "$(dpkg-deb --field "$deb" Version)" = "$version" ] || fail "the package's version is not $version"

# The unpacked programs run where they were built.
dpkg-deb -x "$deb" "$out/root"
answer=$("$out/root/usr/bin/symcalc-cli" -e '1+1')
[ "$answer" = 2 ] || fail "the packaged symcalc-cli answers '$answer' to 1+1"
"$out/root/usr/bin/symcalc" --version | grep -qx "symcalc $version" || fail "the packaged symcalc --version"

[ "$failures" -eq 0 ] && echo "1 passed, 0 failed"
[ "$failures" -eq 0 ]
