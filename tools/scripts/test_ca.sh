#!/usr/bin/env bash
# A certificate authority for the tests and the server certificates the sample
# server can present, all RSA 2048 and PEM (the authority also DER):
#   ca.pem ca.der ca.key           the test authority (CA:TRUE), trusted only where a test says so
#   good.pem good.key              the Open-Meteo hosts (forecast and geocoding), signed by the test authority
#   wrong-host.pem wrong-host.key  wrong-host.example only, same authority
#   expired.pem expired.key        names as good, same authority, expired in 2021
#   unknown-ca.pem unknown-ca.key  names as good, signed by other-ca.pem, which nobody trusts
# The names carry 127.0.0.1 as a DNS name too: Wine's WinInet compares the host
# it was given literally with the DNS names, never with IP entries.
#   test_ca.sh OUT_DIR
# Does nothing when OUT_DIR already holds the whole set. Several callers may
# race: each makes a set of its own and only one set is ever moved into place.
set -euo pipefail
out=${1:?usage: test_ca.sh OUT_DIR}
# The work happens in another folder, where a relative name would not lead here.
[[ $out = /* ]] || out=$PWD/$out
files=(ca.pem ca.der ca.key good.pem good.key wrong-host.pem wrong-host.key expired.pem expired.key
    unknown-ca.pem unknown-ca.key other-ca.pem names.txt)
# The host names as the plug-in spells them.
core=$(cd "$(dirname "$0")/../.." && pwd)/src/weather/core
host=$(sed -n 's/.*kOpenMeteoHost = "\([^"]*\)";.*/\1/p' "$core/open_meteo_request.h")
geocoding=$(sed -n 's/.*kGeocodingHost = "\([^"]*\)";.*/\1/p' "$core/place_search_request.h")
[ -n "$host" ] && [ -n "$geocoding" ] || { echo "test_ca.sh: no host names in $core" >&2; exit 1; }
names="DNS:$host,DNS:$geocoding,DNS:127.0.0.1"

# A set made for other names is made again.
complete() {
    local f
    for f in "${files[@]}"; do [ -s "$1/$f" ] || return 1; done
    [ "$(cat "$1/names.txt")" = "$names" ]
}
complete "$out" && exit 0

mkdir -p "$(dirname "$out")"
work=$(mktemp -d "$out.XXXXXX")
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
cd "$work"

authority() {  # NAME SUBJECT
    openssl req -x509 -newkey rsa:2048 -nodes -keyout "$1.key" -out "$1.pem" -days 3650 -subj "$2" \
        -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign,cRLSign" \
        -addext "subjectKeyIdentifier=hash" 2>/dev/null
}

server_extensions() {  # SUBJECT_ALT_NAMES
    printf '%s\n' "basicConstraints=CA:FALSE" "keyUsage=critical,digitalSignature,keyEncipherment" \
        "extendedKeyUsage=serverAuth" "subjectKeyIdentifier=hash" "authorityKeyIdentifier=keyid" \
        "subjectAltName=$1"
}

request() {  # NAME COMMON_NAME
    openssl req -new -newkey rsa:2048 -nodes -keyout "$1.key" -out "$1.csr" -subj "/O=Ostix Weather tests/CN=$2" \
        2>/dev/null
}

sign() {  # NAME AUTHORITY SUBJECT_ALT_NAMES
    server_extensions "$3" > "$1.ext"
    openssl x509 -req -in "$1.csr" -CA "$2.pem" -CAkey "$2.key" -set_serial "0x$(openssl rand -hex 8)" \
        -days 3650 -extfile "$1.ext" -out "$1.pem" 2>/dev/null
}

authority ca "/O=Ostix Weather tests/CN=Ostix Weather test CA"
openssl x509 -in ca.pem -outform DER -out ca.der
authority other-ca "/O=Somebody else/CN=Untrusted test CA"

request good "$host" && sign good ca "$names"
request wrong-host wrong-host.example && sign wrong-host ca "DNS:wrong-host.example"
request unknown-ca "$host" && sign unknown-ca other-ca "$names"

# x509 cannot set an end date in the past; the ca command can.
request expired "$host"
server_extensions "$names" > expired.ext
mkdir ca-db && touch ca-db/index.txt
cat > ca.cnf <<CONFIG
[ca]
default_ca = test
[test]
database = ca-db/index.txt
new_certs_dir = ca-db
serial = ca-db/serial
default_md = sha256
policy = any
[any]
organizationName = optional
commonName = supplied
CONFIG
openssl rand -hex 8 > ca-db/serial
openssl ca -batch -config ca.cnf -cert ca.pem -keyfile ca.key -in expired.csr -out expired.pem -notext \
    -startdate 20200101000000Z -enddate 20210101000000Z -extfile expired.ext 2>/dev/null

rm -rf ./*.csr ./*.ext ca.cnf ca-db other-ca.key
echo "$names" > names.txt
chmod 644 ./*
# An outdated set goes first; a racing caller's fresh one stays.
[ -e "$out" ] && ! complete "$out" && rm -rf "$out"
if ! mv -T "$work" "$out" 2>/dev/null; then
    complete "$out" || { echo "test_ca.sh: $out exists but is not a whole set" >&2; exit 1; }
fi
