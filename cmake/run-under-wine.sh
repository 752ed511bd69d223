#!/usr/bin/env bash
# Runs a Windows program under Wine for ctest: run-under-wine.sh PROGRAM.exe [ARGS...]
#
# Wine starts helper processes on demand (services, devices) that may outlive the program and
# keep whatever output it had open. The program's output and messages therefore go to files,
# copied out once the program has ended, so that what ctest reads ends with the program.
set -u
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
wine "$@" </dev/null >"$out" 2>"$err"
status=$?
cat "$out"
cat "$err" >&2
exit "$status"
