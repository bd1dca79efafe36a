#!/bin/bash
# The gallery's pictures come out byte for byte as committed in docs/gallery:
# what the worksheet draws changes only on purpose (and then the gallery is
# regenerated with scripts/gallery.sh).
#   gallery_unchanged.sh SOURCE_DIR BUILD_DIR
set -u
source_dir=$1 build_dir=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
bash "$source_dir/scripts/gallery.sh" "$build_dir" "$out" >/dev/null || exit 1
status=0
for expected in "$source_dir"/docs/gallery/*.png; do
  name=$(basename "$expected")
  if ! cmp -s "$expected" "$out/$name"; then
    echo "FAIL: $name differs from docs/gallery/$name"
    status=1
  fi
done
[ $status = 0 ] && echo "the gallery is unchanged"
exit $status
