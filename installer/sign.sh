#!/usr/bin/env bash
# Signs Windows programs in place with Authenticode (SHA-256) when a certificate is given:
#   SIGN_PFX        the certificate and its private key, a PKCS#12 file
#   SIGN_PASSWORD   its password (none when unset)
#   SIGN_TIMESTAMP  an RFC 3161 timestamp server's address, so the signature outlives the
#                   certificate (none when unset)
# Without SIGN_PFX it leaves the files as they are.
# sign.sh <program>...
set -euo pipefail
[ -n "${SIGN_PFX:-}" ] || exit 0
command -v osslsigncode >/dev/null || { echo "sign: osslsigncode not found: run tools/bootstrap.sh --release" >&2; exit 1; }
[ -f "$SIGN_PFX" ] || { echo "sign: no certificate $SIGN_PFX" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The password goes through a file of ours, never on a command line other users can read.
(umask 077; printf '%s' "${SIGN_PASSWORD:-}" > "$work/password")
timestamp=()
[ -z "${SIGN_TIMESTAMP:-}" ] || timestamp=(-ts "$SIGN_TIMESTAMP")
for program in "$@"; do
  osslsigncode sign -pkcs12 "$SIGN_PFX" -readpass "$work/password" -h sha256 -n "Reefsaver" \
    "${timestamp[@]}" -in "$program" -out "$work/signed" >/dev/null
  cat "$work/signed" > "$program"
  rm -f "$work/signed"
done
