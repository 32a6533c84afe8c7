#!/usr/bin/env bash
# Makes throw-away signing material and the signed variants of the program stand-in that the
# tests serve as the updater and the PDF tool installer. Nothing made here is ever committed.
# usage: sign-standins.sh OUT_DIR STANDIN_EXE TEST_PUBLISHER OTHER_PUBLISHER
# OUT_DIR receives:
#   standin-signed.exe           signed by TEST_PUBLISHER (certificate from the test root)
#   standin-other-publisher.exe  signed by OTHER_PUBLISHER (same root)
#   standin-unsigned.exe         the stand-in as built
#   standin-tampered.exe         standin-signed.exe with one byte changed after signing
#   pki/                         the test root, both code-signing certificates and their keys
set -euo pipefail
out=$1 standin=$2 publisher=$3 other=$4
pki=$out/pki
rm -rf "$pki"
mkdir -p "$pki"

openssl req -x509 -newkey rsa:2048 -nodes -days 3650 -sha256 \
  -keyout "$pki/root.key" -out "$pki/root.pem" \
  -subj "/O=Orvanta Test Root/CN=Orvanta Test Root" \
  -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign,cRLSign" \
  2>/dev/null

printf '%s\n' "basicConstraints=critical,CA:FALSE" "keyUsage=critical,digitalSignature" \
  "extendedKeyUsage=codeSigning" "subjectKeyIdentifier=hash" \
  "authorityKeyIdentifier=keyid,issuer" >"$pki/codesign.ext"

# A code-signing certificate issued by the test root; $1 subject name, $2 file stem.
certificate() {
  openssl req -new -newkey rsa:2048 -nodes -keyout "$pki/$2.key" -out "$pki/$2.csr" \
    -subj "/O=$1/CN=$1" 2>/dev/null
  openssl x509 -req -days 3650 -sha256 -in "$pki/$2.csr" -CA "$pki/root.pem" \
    -CAkey "$pki/root.key" -CAcreateserial -extfile "$pki/codesign.ext" -out "$pki/$2.pem" \
    2>/dev/null
  cat "$pki/$2.pem" "$pki/root.pem" >"$pki/$2-chain.pem"
}

# $1 certificate stem, $2 output.
sign() {
  rm -f "$2"
  osslsigncode sign -certs "$pki/$1-chain.pem" -key "$pki/$1.key" -h sha256 \
    -n "Orvanta stand-in" -in "$standin" -out "$2" >/dev/null
}

certificate "$publisher" publisher
certificate "$other" other
sign publisher "$out/standin-signed.exe"
sign other "$out/standin-other-publisher.exe"
cp "$standin" "$out/standin-unsigned.exe"

# One byte of the signed program's code, well before the signature appended at its end.
cp "$out/standin-signed.exe" "$out/standin-tampered.exe"
python3 - "$out/standin-tampered.exe" "$(stat -c %s "$standin")" <<'PY'
import sys
path, unsigned_size = sys.argv[1], int(sys.argv[2])
with open(path, "r+b") as f:
    f.seek(unsigned_size // 2)
    byte = f.read(1)[0]
    f.seek(unsigned_size // 2)
    f.write(bytes([byte ^ 0x01]))
PY
