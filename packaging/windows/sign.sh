#!/usr/bin/env bash
# Signs a Windows program or installer in place, Authenticode with SHA-256,
# when CODESIGN_PFX names a PKCS#12 file holding the certificate and its key.
# The password is read from the file CODESIGN_PASSWORD_FILE by osslsigncode
# itself, so that it never stands on a command line or in the build tree.
# CODESIGN_TIMESTAMP_URL, if given, adds an RFC 3161 timestamp. A signature
# the file already carries is removed first: the file ends signed with the
# certificate given, or not signed at all.
# Usage: sign.sh FILE
set -euo pipefail
file=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if osslsigncode remove-signature -in "$file" -out "$work/unsigned" >/dev/null 2>&1; then
    cat "$work/unsigned" >"$file"
fi
[ -n "${CODESIGN_PFX:-}" ] || exit 0
sign=(osslsigncode sign -h sha256 -n Tarvelo -pkcs12 "$CODESIGN_PFX"
    -readpass "${CODESIGN_PASSWORD_FILE:?CODESIGN_PASSWORD_FILE names no file}")
# A timestamp server's answer differs each time; without one, the signature
# is dated by SOURCE_DATE_EPOCH, if set, so that signing again gives the same
# bytes.
if [ -n "${CODESIGN_TIMESTAMP_URL:-}" ]; then
    sign+=(-ts "$CODESIGN_TIMESTAMP_URL")
elif [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
    sign+=(-time "$SOURCE_DATE_EPOCH")
fi
"${sign[@]}" -in "$file" -out "$work/signed" >/dev/null
cat "$work/signed" >"$file"
