#!/usr/bin/env bash
# Installs the Debian packages the builds and tests need. Quick when all are present.
set -euo pipefail

# clang and libclang-rt-dev (the libFuzzer runtime) build the targets of scripts/fuzz.sh;
# osslsigncode and openssl test-sign the stand-in driver in scripts/package.sh.
packages=(cmake g++ make g++-mingw-w64-i686 g++-mingw-w64-x86-64 libgtest-dev
          libbenchmark-dev wine wine64 wine32:i386 xvfb xauth x11-utils imagemagick
          fonts-wine python3-markdown nlohmann-json3-dev libcli11-dev python3 prometheus
          prometheus-node-exporter prometheus-alertmanager clang libclang-rt-dev osslsigncode openssl)

missing=()
for p in "${packages[@]}"; do
  name=${p%%:*}
  arch=${p#*:}; [ "$arch" = "$p" ] && arch=
  query=$name${arch:+:$arch}
  if ! dpkg-query -W -f='${Status}' "$query" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
# wine32 is an i386 package; without the architecture dpkg cannot even name it.
need_i386=0
dpkg --print-foreign-architectures | grep -qx i386 || need_i386=1

if [ ${#missing[@]} -eq 0 ] && [ $need_i386 -eq 0 ]; then
  exit 0
fi

line="apt-get install -y --no-install-recommends ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
  echo "setup: these packages are missing: ${missing[*]}" >&2
  echo "setup: run as root (or with sudo):" >&2
  [ $need_i386 -eq 1 ] && echo "  dpkg --add-architecture i386" >&2
  echo "  apt-get update && $line" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
# prometheus, prometheus-node-exporter and prometheus-alertmanager come as
# services; the tests start an exporter of their own on a free loopback port and
# want no daemon left behind, so where nothing refuses service starts yet, they
# are refused while installing.
policy=/usr/sbin/policy-rc.d
if [ ! -e "$policy" ]; then
  printf '#!/bin/sh\nexit 101\n' >"$policy"
  chmod 755 "$policy"
  trap 'rm -f "$policy"' EXIT
fi
[ $need_i386 -eq 1 ] && dpkg --add-architecture i386
echo "setup: installing ${missing[*]}"
# A mirror caught mid-sync fails one index of many; the install below says
# whether what it needs was there, so a partial update is not the end.
apt-get update -qq || echo "setup: apt-get update reported errors; trying the install anyway" >&2
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
