#!/usr/bin/env bash
# Started where no window can open, corvellan says so in one line, points to
# corvellan-run and exits with 1, instead of Qt's abort after a page of plugin
# messages.
# usage: start_without_display_test.sh CORVELLAN
set -euo pipefail
program="$1"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# name | environment | what the line must say
cases=(
  "no DISPLAY|env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM|no display (DISPLAY is not set)"
  "a display nobody serves|env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:97|could not connect to display :97"
)
for entry in "${cases[@]}"; do
  IFS='|' read -r name environment reason <<<"$entry"
  status=0
  # shellcheck disable=SC2086 # the environment is words on purpose
  message="$($environment "$program" 2>&1 >/dev/null)" || status=$?
  [ "$status" -eq 1 ] || fail "$name: exit status $status, not 1 ($message)"
  [ "$(printf '%s\n' "$message" | wc -l)" -eq 1 ] || fail "$name: not one line: $message"
  expected="corvellan: cannot open the window: $reason; for runs without a window, see corvellan-run --help"
  [ "$message" = "$expected" ] || fail "$name: said \"$message\""
  echo "$name: $message"
done
