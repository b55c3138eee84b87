#!/usr/bin/env bash
# Makes the certificates of the TLS test server in folder $1, afresh:
#   root.crt/.der   the test root, which the tests trust in their Wine prefix only
#   good.pem        localhost, issued by the test root
#   untrusted.pem   localhost, issued by another root that nobody trusts
#   wrong-name.pem  another name (wrong-name.test), issued by the test root
#   expired.pem     localhost, issued by the test root, valid only in January 2020
#   server.key      the key of all four server certificates
# Usage: make_test_certificates.sh <folder>
set -euo pipefail

dir=$1
rm -rf "$dir"
mkdir -p "$dir"
cd "$dir"

cat >openssl.cnf <<'CONF'
[ca]
default_ca = test_ca
[test_ca]
dir = .
database = $dir/index.txt
new_certs_dir = $dir/issued
serial = $dir/serial
default_md = sha256
policy = anything
unique_subject = no
copy_extensions = none
[anything]
commonName = supplied
[root]
basicConstraints = critical, CA:TRUE
keyUsage = critical, keyCertSign, cRLSign
subjectKeyIdentifier = hash
[server]
basicConstraints = CA:FALSE
keyUsage = critical, digitalSignature, keyEncipherment
extendedKeyUsage = serverAuth
subjectKeyIdentifier = hash
authorityKeyIdentifier = keyid
subjectAltName = DNS:${ENV::SERVER_NAME}
CONF

# Signs request $2 with CA $3 (its .crt and .key) into $1.pem, with the
# extensions of section $4 and further `openssl ca` options.
sign() {
    local out=$1 request=$2 ca=$3 section=$4
    shift 4
    : >index.txt
    mkdir -p issued
    openssl rand -hex 8 >serial
    openssl ca -batch -notext -config openssl.cnf -in "$request" -cert "$ca.crt" -keyfile "$ca.key" \
        -extensions "$section" -out "$out.pem" "$@" 2>>openssl.log
}

export SERVER_NAME=localhost
for root in root stranger; do
    openssl req -new -newkey rsa:2048 -nodes -keyout "$root.key" -subj "/CN=snip test $root" \
        -out "$root.csr" 2>>openssl.log
    sign "$root" "$root.csr" "$root" root -selfsign -days 30
    mv "$root.pem" "$root.crt"
done
openssl x509 -in root.crt -outform DER -out root.der

openssl req -new -newkey rsa:2048 -nodes -keyout server.key -subj "/CN=localhost" \
    -out server.csr 2>>openssl.log
sign good server.csr root server -days 30
sign untrusted server.csr stranger server -days 30
sign expired server.csr root server -startdate 20200101000000Z -enddate 20200131000000Z
SERVER_NAME=wrong-name.test sign wrong-name server.csr root server -days 30 -subj /CN=wrong-name.test
