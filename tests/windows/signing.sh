#!/usr/bin/env bash
# Signs copies of the program and the installer through the build's own
# signing step, with a throwaway CA and code-signing certificate made here:
# osslsigncode must accept both against that CA and refuse the program once
# one byte of it has changed; the password must show nowhere.
# Usage: signing.sh PATH/TO/tarvelo.exe PATH/TO/tarvelo.msi
set -euo pipefail
sign=$(realpath "$(dirname "$0")/../../packaging/windows/sign.sh")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$1" "$work/tarvelo.exe" && cp "$2" "$work/tarvelo.msi" && cd "$work"
fail() { echo "FAIL: signing: $*" >&2; exit 1; }
req() { openssl req -newkey rsa:2048 -nodes -days 2 -keyout "$1.key" -subj "/CN=$1" "${@:2}" 2>/dev/null; }
req ca -x509 -out ca.pem -addext basicConstraints=critical,CA:TRUE -addext keyUsage=keyCertSign
req firma -out firma.csr
openssl x509 -req -in firma.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 2 -out firma.pem \
    -extfile <(printf 'keyUsage=digitalSignature\nextendedKeyUsage=codeSigning\n') 2>/dev/null
password=$(openssl rand -hex 16) && echo "$password" >password
openssl pkcs12 -export -inkey firma.key -in firma.pem -passout file:password -out firma.pfx

for file in tarvelo.exe tarvelo.msi; do
    said=$(CODESIGN_PFX=firma.pfx CODESIGN_PASSWORD_FILE=password bash -x "$sign" "$file" 2>&1) ||
        fail "$file: $said"
    [[ $said != *"$password"* ]] || fail "the password shows while signing $file"
    osslsigncode verify -CAfile ca.pem -in "$file" >v && grep -q 'algorithm *: SHA256' v || fail "$file"
done
# One byte in the middle of the program, changed.
middle=$(($(stat -c %s tarvelo.exe) / 2))
byte=$(od -An -tu1 -j "$middle" -N 1 tarvelo.exe)
printf "\\x$(printf %02x $((byte ^ 1)))" | dd of=tarvelo.exe bs=1 seek="$middle" conv=notrunc status=none
! osslsigncode verify -CAfile ca.pem -in tarvelo.exe >/dev/null 2>&1 || fail "a changed program passes"
echo "ok: signing: program and installer signed and verified, a changed byte refused"
