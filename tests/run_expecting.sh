#!/bin/sh
# Runs a command and passes when it ends with the expected exit status and
# its output (standard output and error together) holds the expected text,
# so a test of a refusal fails when the command crashes or refuses for
# another reason.
# Usage: run_expecting.sh STATUS TEXT COMMAND [ARGUMENT...]
set -u
expected_status=$1
expected_text=$2
shift 2
output=$("$@" 2>&1)
status=$?
printf '%s\n' "$output"
if [ "$status" != "$expected_status" ]; then
  echo "FAIL: exit status $status, expected $expected_status" >&2
  exit 1
fi
if ! printf '%s\n' "$output" | grep -qF -- "$expected_text"; then
  echo "FAIL: the output lacks: $expected_text" >&2
  exit 1
fi
