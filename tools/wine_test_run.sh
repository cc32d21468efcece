#!/usr/bin/env bash
# Runs one of the Windows tests' programs under Wine. When Wine's client cannot
# reach its server (the one the program before left was shutting down), Wine
# ends at once with "wine client error" before the program has started; the
# program is then started once more. Any other failure is the program's own.
set -uo pipefail
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
for attempt in 1 2; do
  wine "$@" 2>"$errors"
  status=$?
  cat "$errors" >&2
  if [ "$status" -eq 0 ] || [ "$attempt" -eq 2 ] || ! grep -q '^wine client error' "$errors"; then
    exit "$status"
  fi
  echo "Wine could not reach its server; starting $1 once more." >&2
  sleep 1
done
