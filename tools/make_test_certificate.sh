#!/usr/bin/env bash
# Makes a throwaway code-signing certificate for trying out and testing signed
# releases: a test root (root.pem) and a code-signing certificate issued by it,
# with its key, in signer.p12, protected by the password in the environment
# variable CODE_SIGNING_PASSWORD. Nothing outside <folder> trusts the root; valid
# for two days.
# Usage: CODE_SIGNING_PASSWORD=... tools/make_test_certificate.sh <folder>
#   then: cmake --preset win64 -DCODE_SIGNING_PKCS12=<folder>/signer.p12 \
#                              -DCODE_SIGNING_CAFILE=<folder>/root.pem
set -euo pipefail

if (($# != 1)) || [[ -z ${CODE_SIGNING_PASSWORD+set} ]]; then
    echo "usage: CODE_SIGNING_PASSWORD=<password> $0 <folder>" >&2
    exit 2
fi
mkdir -p "$1"
cd "$1"
umask 077

openssl req -x509 -newkey rsa:2048 -noenc -keyout root.key -out root.pem -days 2 \
    -subj "/CN=snip test root (throwaway)" \
    -addext "basicConstraints=critical,CA:TRUE" \
    -addext "keyUsage=critical,keyCertSign,cRLSign" 2>/dev/null
openssl req -new -newkey rsa:2048 -noenc -keyout signer.key -out signer.csr \
    -subj "/CN=snip test signer (throwaway)" 2>/dev/null
printf '%s\n' "basicConstraints=critical,CA:FALSE" "keyUsage=critical,digitalSignature" \
    "extendedKeyUsage=codeSigning" >signer.ext
openssl x509 -req -in signer.csr -CA root.pem -CAkey root.key -set_serial 1 -days 2 \
    -extfile signer.ext -out signer.pem 2>/dev/null
openssl pkcs12 -export -inkey signer.key -in signer.pem -certfile root.pem -out signer.p12 \
    -passout env:CODE_SIGNING_PASSWORD
rm -f root.key signer.key signer.csr signer.ext
echo "$(pwd)/signer.p12 (issued by $(pwd)/root.pem)"
