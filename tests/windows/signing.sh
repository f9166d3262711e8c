#!/usr/bin/env bash
# Signs copies of the program and the installer through the build's own
# signing step, with a throwaway self-signed code-signing certificate made
# here: osslsigncode must accept both against it, signing again must give the
# same bytes, and the password must show nowhere.
# Usage: signing.sh PATH/TO/tarvelo.exe PATH/TO/tarvelo.msi
set -euo pipefail
sign=$(realpath "$(dirname "$0")/../../packaging/windows/sign.sh")
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT
cp "$1" "$work/tarvelo.exe" && cp "$2" "$work/tarvelo.msi" && cd "$work"
fail() { echo "FAIL: signing: $*" >&2; exit 1; }
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -keyout firma.key -out firma.pem -subj /CN=firma \
    -addext keyUsage=digitalSignature -addext extendedKeyUsage=codeSigning 2>/dev/null
password=$(openssl rand -hex 16) && echo "$password" >password
openssl pkcs12 -export -inkey firma.key -in firma.pem -passout file:password -out firma.pfx

export CODESIGN_PFX=firma.pfx CODESIGN_PASSWORD_FILE=password SOURCE_DATE_EPOCH=$(date +%s)
for file in tarvelo.exe tarvelo.msi; do
    cp "$file" "again-$file"
    said=$(bash -x "$sign" "$file" 2>&1) || fail "$file: $said"
    [[ $said != *"$password"* ]] || fail "the password shows while signing $file"
    osslsigncode verify -CAfile firma.pem -in "$file" >v && grep -q 'algorithm *: SHA256' v || fail "$file"
    sleep 1 && bash "$sign" "again-$file" && cmp "$file" "again-$file" || fail "$file signed twice differs"
done
echo "ok: signing: program and installer signed and verified, the same bytes when signed again"
