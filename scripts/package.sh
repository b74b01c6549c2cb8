#!/usr/bin/env bash
# Sets up, builds both Windows builds and writes the release ZIPs
# build/package/tarnelport-tools-<version>-win32.zip and -win64.zip, with the
# stand-in drivers test-signed by a certificate made here (never committed, no
# real publisher's) whose public half ships in the ZIP.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh
. scripts/build-preset.sh
log=$root/build/package-logs
mkdir -p "$log"

# A self-signed code-signing certificate for test mode only; made once per
# build folder and kept out of the source tree.
signing=$root/build/package-signing
if [ ! -f "$signing/key.pem" ] || [ ! -f "$signing/cert.pem" ]; then
  mkdir -p "$signing"
  openssl req -x509 -newkey rsa:3072 -nodes -sha256 -days 1095 \
    -subj "/CN=TarnelPort tools test signing (test mode only, not a publisher)" \
    -addext "keyUsage=critical,digitalSignature" -addext "extendedKeyUsage=codeSigning" \
    -addext "basicConstraints=critical,CA:FALSE" \
    -keyout "$signing/key.pem" -out "$signing/cert.pem" >"$log/certificate.log" 2>&1 ||
    { cat "$log/certificate.log"; echo "package: the test certificate could not be made"; exit 1; }
fi

# Signs every driver of a build into build/<preset>/package/signed, where the
# ZIP takes them from, with the certificate beside them.
sign_drivers() {
  local bin=$1 out=$2
  rm -rf "$out"
  mkdir -p "$out"
  openssl x509 -in "$signing/cert.pem" -outform der -out "$out/tarnelport-test-signing.cer"
  for driver in "$bin"/*.sys; do
    osslsigncode sign -certs "$signing/cert.pem" -key "$signing/key.pem" -h sha256 \
      -n "TarnelPort stand-in driver (test-signed)" -in "$driver" -out "$out/$(basename "$driver")" \
      >>"$log/signing.log" 2>&1 || { cat "$log/signing.log"; echo "package: signing $driver failed"; return 1; }
  done
}

for preset in windows windows64; do
  build_preset "$preset" "$log" || exit 1
  echo "== sign $preset"
  sign_drivers "build/$preset/bin" "build/$preset/package/signed" || exit 1
  echo "== package $preset"
  if ! (cd "build/$preset" && cpack -C Release) >"$log/$preset-cpack.log" 2>&1; then
    cat "$log/$preset-cpack.log"
    echo "package: cpack of $preset failed"
    exit 1
  fi
done
ls -l build/package/*.zip
