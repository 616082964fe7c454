#!/usr/bin/env bash
# Reads the sweep script and its tests with shellcheck: no finding of any
# level. Runs in the project's folder, where the tests' source= paths start.
# usage: shellcheck_test.sh SCRIPT...
set -euo pipefail
if ! command -v shellcheck >/dev/null; then
  echo "skipped: needs shellcheck" >&2
  exit 77
fi
cd "$(dirname "$0")/../.."
shellcheck --external-sources "$@"
echo "PASS"
