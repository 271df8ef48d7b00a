#!/bin/sh
# Runs the permission cases of a test program as an unprivileged user. Root
# passes every permission, so run as root those cases skip; here, as root,
# they run as nobody (setpriv, else runuser), with a temporary directory and
# a home that user may write. A case that still skips, or fails, fails this.
#   tests/run_unprivileged.sh PROGRAM GTEST_FILTER
set -eu
program=$1
filter=$2

work=$(mktemp -d "${TMPDIR:-/tmp}/cuffware-unprivileged.XXXXXX")
trap 'rm -rf "$work"' EXIT
as_user=""
if [ "$(id -u)" = 0 ]; then
  chown nobody "$work"
  if command -v setpriv >/dev/null 2>&1; then
    as_user="setpriv --reuid=nobody --regid=nogroup --clear-groups --"
  else
    as_user="runuser -u nobody --"
  fi
fi
chmod 700 "$work"

status=0
output=$(env TMPDIR="$work" HOME="$work" $as_user "$program" --gtest_filter="$filter" 2>&1) ||
  status=$?
printf '%s\n' "$output"
echo "ran as $(env $as_user id -un): $program --gtest_filter=$filter"
if [ "$status" -ne 0 ]; then
  exit "$status"
fi
if printf '%s\n' "$output" | grep -q '^\[  SKIPPED \]'; then
  echo "a permission case was skipped: it proved nothing" >&2
  exit 1
fi
if ! printf '%s\n' "$output" | grep -q '^\[  PASSED  \] [1-9]'; then
  echo "no case matched $filter" >&2
  exit 1
fi
