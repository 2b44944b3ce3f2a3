#!/usr/bin/env bash
# With a throwaway certificate, assembling the CD signs the saver and the interactive build that
# the setup packs, the menu and the setup, each with a SHA-256 Authenticode signature that
# osslsigncode verifies against that certificate; without one, a program is left as it was.
# check-signing.sh <installer folder> <scratch folder> <cdcontent> <KvSetupX.exe> <scr> <exe> <Reefglass>
set -euo pipefail
installer=$1 scratch=$2
shift 2
fail() { echo "check-signing: $*" >&2; exit 1; }
rm -rf "$scratch"
mkdir -p "$scratch"

# A self-signed certificate for code signing, and its key, in a PKCS#12 file with a password.
openssl req -x509 -newkey rsa:2048 -sha256 -days 2 -nodes -subj "/CN=Reefsaver test signer" \
  -addext "extendedKeyUsage=codeSigning" -keyout "$scratch/key.pem" -out "$scratch/cert.pem" 2>/dev/null
openssl pkcs12 -export -inkey "$scratch/key.pem" -in "$scratch/cert.pem" -passout pass:"s3cret word" \
  -out "$scratch/signer.pfx"

output=$(SIGN_PFX="$scratch/signer.pfx" SIGN_PASSWORD="s3cret word" bash "$installer/make-cd.sh" "$scratch/cd" "$@")
grep -q "are signed with" <<<"$output" || fail "make-cd did not say it signed: $output"
for program in cd/KvSetupX.exe cd/setup/ReefsaverSetup.exe programs/reefsaver-basic.scr programs/reefsaver.exe; do
  report=$(osslsigncode verify -CAfile "$scratch/cert.pem" -in "$scratch/$program" 2>&1) ||
    fail "$program: signature not verified: $report"
  grep -qi "sha256" <<<"$report" || fail "$program: not signed with SHA-256: $report"
done

# Without a certificate nothing is touched, and a program that was never signed fails to verify.
cp "$3" "$scratch/plain.scr"
SIGN_PFX= bash "$installer/sign.sh" "$scratch/plain.scr"
cmp -s "$3" "$scratch/plain.scr" || fail "a program was changed without a certificate"
if osslsigncode verify -CAfile "$scratch/cert.pem" -in "$scratch/plain.scr" >/dev/null 2>&1; then
  fail "an unsigned program verified"
fi
echo "check-signing: four programs signed and verified"
