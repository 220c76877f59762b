#!/bin/sh
# Unpacks Debian's source package of libxlsxwriter into
# third_party/libxlsxwriter, where the Windows build compiles it with the
# MinGW toolchain and links it in statically. Adds a deb-src entry for the
# machine's own Debian archive when apt has none. Run as root; does nothing
# when the sources are there already.
set -eu
cd "$(dirname "$0")/.."
target=third_party/libxlsxwriter
[ -f "$target/CMakeLists.txt" ] && exit 0
if ! grep -rqsE '^(deb-src |Types:.*deb-src)' /etc/apt/sources.list \
  /etc/apt/sources.list.d; then
  for sources in /etc/apt/sources.list.d/*.sources; do
    [ -f "$sources" ] || continue
    sed 's/^Types: deb$/Types: deb-src/' "$sources" \
      >"/etc/apt/sources.list.d/lumtrel-src-$(basename "$sources")"
  done
  if [ -f /etc/apt/sources.list ]; then
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list \
      >/etc/apt/sources.list.d/lumtrel-src.list
  fi
  apt-get update -q
fi
download=third_party/download
rm -rf "$download" "$target"
mkdir -p "$download"
(cd "$download" && apt-get source -q --download-only libxlsxwriter)
dpkg-source -x "$download"/libxlsxwriter_*.dsc "$target"
rm -rf "$download"
