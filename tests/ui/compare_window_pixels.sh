#!/usr/bin/env bash
# Plays one table of user actions on two builds of the window under Xvfb, with
# the clock (and so every run's seed) fixed, and compares what each window
# shows after every action, pixel for pixel.
#   tests/ui/compare_window_pixels.sh OLD/corvellan NEW/corvellan [OUT-FOLDER]
# Needs Xvfb, xdotool, ImageMagick's import and compare, and faketime.
set -euo pipefail
old="$1"
new="$2"
out="${3:-$(mktemp -d)}"
mkdir -p "$out"
display=":57"
clock="2026-12-10 12:00:00"

# Centre of a control's rectangle in dialog units (x, y, width, height) in
# client pixels: x * 6 / 4, y * 13 / 8.
centre() { echo $(( ($1 + $3 / 2) * 6 / 4 )) $(( ($2 + $4 / 2) * 13 / 8 )); }

# name            what the user does
actions=(
  "start          none"
  "normal-r       click $(centre 17 222 87 10)"
  "sanctions      click $(centre 234 212 47 10)"
  "second-order   click $(centre 340 217 16 8)"
  "mean           click $(centre 340 246 16 8)"
  "lognormal-i    click $(centre 119 232 87 10)"
  "normal-e       click $(centre 117 305 87 10)"
  "median-r-keys  keys $(centre 42 247 41 8) Right Right Next"
  "j-keys         keys $(centre 22 361 73 9) End Left Prior"
)

# One server per build, so nothing of the first run remains for the second.
play() {
  local binary="$1" tag="$2"
  Xvfb "$display" -screen 0 1280x1024x24 -noreset >/dev/null 2>&1 &
  local xvfb=$!
  sleep 1
  # A frozen wall clock, but Qt's timers run on the real monotonic one.
  DISPLAY="$display" FAKETIME_DONT_FAKE_MONOTONIC=1 faketime "$clock" "$binary" &
  local pid=$!
  local window=""
  for _ in $(seq 50); do
    window=$(DISPLAY="$display" xdotool search --sync --onlyvisible --name '^Corvellan$' 2>/dev/null | head -1) && break
    sleep 0.2
  done
  sleep 1
  for row in "${actions[@]}"; do
    read -r name kind x y rest <<<"$row"
    case "$kind" in
      click) DISPLAY="$display" xdotool mousemove --window "$window" "$x" "$y" click 1 ;;
      keys)
        DISPLAY="$display" xdotool mousemove --window "$window" "$x" "$y" click 1
        for key in $rest; do DISPLAY="$display" xdotool key --window "$window" "$key"; done ;;
    esac
    DISPLAY="$display" xdotool mousemove 1270 1010  # no tooltip, no hover
    sleep 0.7
    DISPLAY="$display" import -window "$window" "$out/$tag-$name.png"
  done
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  kill "$xvfb"
  wait "$xvfb" 2>/dev/null || true
}

play "$old" old
play "$new" new
status=0
for row in "${actions[@]}"; do
  read -r name _ <<<"$row"
  differing=$(compare -metric AE "$out/old-$name.png" "$out/new-$name.png" null: 2>&1 || true)
  echo "$name: $differing pixels differ"
  [ "$differing" = "0" ] || status=1
done
echo "screenshots in $out"
exit "$status"
