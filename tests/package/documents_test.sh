#!/bin/bash
# The installed manual pages and AppStream metadata, checked by the tools that
# read them: man's own warnings and appstreamcli's validator. Each check runs
# when its tool is installed (make deps installs both); with neither, the
# test is skipped.
# Usage: documents_test.sh BUILD_DIR
set -u
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "FAIL: cmake --install"; exit 1; }
passed=0 failed=0 ran=0
if command -v man >/dev/null; then
  for page in "$prefix"/share/man/man1/*.1.gz; do
    ran=1
    # groff reports what it cannot typeset on standard error.
    warnings=$(MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
    if [ -z "$warnings" ]; then
      passed=$((passed + 1))
    else
      failed=$((failed + 1))
      printf 'FAIL: %s\n%s\n' "$(basename "$page")" "$warnings"
    fi
  done
fi
if command -v appstreamcli >/dev/null; then
  for file in "$prefix"/share/metainfo/*.xml; do
    ran=1
    if appstreamcli validate --no-net --pedantic "$file"; then
      passed=$((passed + 1))
    else
      failed=$((failed + 1))
      echo "FAIL: $(basename "$file")"
    fi
  done
fi
if [ "$ran" -eq 0 ]; then
  echo "SKIP: neither man nor appstreamcli is installed"
  exit 77
fi
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
