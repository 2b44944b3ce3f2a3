#!/usr/bin/env bash
# Writes the ISO 9660 image (Joliet and Rock Ridge names) of the CD tree. xorriso has been seen to
# crash now and then on a fresh machine; a failed attempt is made once more before giving up.
# make-iso.sh <cd folder> <iso>
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: make-iso.sh <cd> <iso>" >&2; exit 2; }
cd_dir=$1 iso=$2
command -v xorriso >/dev/null || { echo "make-iso: xorriso not found: run tools/bootstrap.sh --release" >&2; exit 1; }
for attempt in 1 2; do
  rm -f "$iso"
  status=0
  xorriso -as mkisofs -quiet -J -joliet-long -r -V REEFSAVER -o "$iso" "$cd_dir" || status=$?
  [ $status -eq 0 ] && break
  rm -f "$iso"
  [ $attempt -eq 1 ] || { echo "make-iso: xorriso failed twice (status $status)" >&2; exit $status; }
  echo "make-iso: xorriso failed (status $status); trying once more" >&2
done
echo "make-iso: $(du -h "$iso" | cut -f1) $iso"
