#!/usr/bin/env bash
# The image step survives one crash of xorriso and gives up on the second, with xorriso's own
# status: a stand-in xorriso on the PATH crashes (SIGSEGV) as often as it is told to, then runs
# the real one.
# check-iso-retry.sh <make-iso.sh> <scratch folder>
set -euo pipefail
make_iso=$1 scratch=$2
fail() { echo "check-iso-retry: $*" >&2; exit 1; }
real=$(command -v xorriso) || fail "xorriso not found"
rm -rf "$scratch"
mkdir -p "$scratch/bin" "$scratch/cd/docs"
echo "a file on the CD" > "$scratch/cd/docs/readme.txt"
cat > "$scratch/bin/xorriso" <<STANDIN
#!/usr/bin/env bash
echo run >> "$scratch/runs"
if [ \$(wc -l < "$scratch/runs") -le \$(cat "$scratch/crashes") ]; then
  echo partial > "\${@: -2:1}"
  kill -SEGV \$\$
fi
exec "$real" "\$@"
STANDIN
chmod +x "$scratch/bin/xorriso"

# One crash: the second attempt writes the image.
echo 1 > "$scratch/crashes"
rm -f "$scratch/runs"
PATH="$scratch/bin:$PATH" bash "$make_iso" "$scratch/cd" "$scratch/one.iso" || fail "one crash was not survived"
[ "$(wc -l < "$scratch/runs")" -eq 2 ] || fail "xorriso ran $(wc -l < "$scratch/runs") times, not twice"
"$real" -indev "$scratch/one.iso" -find / -type f 2>/dev/null | grep -q readme.txt || fail "the image lacks the tree"

# Two crashes: no third attempt, the status of the crash, and no image left behind.
echo 2 > "$scratch/crashes"
rm -f "$scratch/runs"
status=0
PATH="$scratch/bin:$PATH" bash "$make_iso" "$scratch/cd" "$scratch/two.iso" 2>/dev/null || status=$?
[ $status -eq 139 ] || fail "two crashes ended with status $status, not 139"
[ "$(wc -l < "$scratch/runs")" -eq 2 ] || fail "xorriso ran $(wc -l < "$scratch/runs") times after two crashes"
[ ! -e "$scratch/two.iso" ] || fail "a half-written image was left behind"
echo "check-iso-retry: one crash is survived, two are reported"
