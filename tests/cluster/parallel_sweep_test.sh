#!/usr/bin/env bash
# corvellan-sweep with GNU parallel, this machine as the only host (":"): the
# joined file is one machine's byte for byte, and a failed shard is run again
# alone by parallel-resume.
# usage: parallel_sweep_test.sh CORVELLAN-RUN CORVELLAN-SWEEP
set -euo pipefail
run="$1"
sweep="$2"

if ! command -v parallel >/dev/null; then
  echo "skipped: needs GNU parallel" >&2
  exit 77
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

batch=(--seed 5 --sweep "distR=0,1,2" --sweep paramJ=0:1:0.25 --replicates 2)
"$run" "${batch[@]}" --jobs 1 >"$work/one-machine.csv"

echo "== 4 shards, two at a time"
"$sweep" parallel --dir "$work/whole" --run "$run" --sshlogin : --jobs-per-host 2 4 -- "${batch[@]}"
cmp "$work/whole/joined.csv" "$work/one-machine.csv" || fail "the joined file differs"

echo "== a sensitivity analysis in 3 shards"
analysis=(--seed 9 --distR 1 --sensitivity sobol --samples 12 --point-replicates 2)
"$run" "${analysis[@]}" --jobs 1 >"$work/analysis-one-machine.csv"
"$sweep" parallel --dir "$work/analysis" --run "$run" 3 -- "${analysis[@]}"
cmp "$work/analysis/joined.csv" "$work/analysis-one-machine.csv" ||
  fail "the joined analysis differs"

echo "== a folder whose name sh and GNU parallel must carry as it is"
# A space, quotes, ; and $(...) for the shell, {} and {= =} for GNU parallel.
# The name holds $MARKER itself: a slash would make it a path of folders.
export MARKER="$work/ran"
hostile="$work/semi;colon 'quote' \"double\" \$(touch \$MARKER) {} {=1=} ütf-8"
"$sweep" parallel --dir "$hostile" --run "$run" 3 -- "${batch[@]}"
cmp "$hostile/joined.csv" "$work/one-machine.csv" || fail "the joined file in $hostile differs"
[ ! -e "$work/ran" ] || fail "the folder's name ran a command"

echo "== shard 2 fails once"
cat >"$work/failing-run" <<WRAPPER
#!/bin/sh
case " \$* " in
  *" --shard 2/4 "*) if [ -e "$work/marker" ]; then exit 1; fi ;;
esac
exec "$run" "\$@"
WRAPPER
chmod +x "$work/failing-run"
touch "$work/marker"
if message="$("$sweep" parallel --dir "$work/resumed" --run "$work/failing-run" 4 -- "${batch[@]}" 2>&1)"; then
  fail "a failed shard went unnoticed: $message"
fi
grep -q "shards 2 failed" <<<"$message" || fail "it said: $message"
[ ! -e "$work/resumed/joined.csv" ] || fail "joined although a shard failed"
rm "$work/marker"
"$sweep" parallel-resume "$work/resumed"
[ "$(grep -c -- '--shard 2/4' "$work/resumed/logs/parallel.log")" -eq 2 ] ||
  fail "shard 2 should have run twice: $(cat "$work/resumed/logs/parallel.log")"
for i in 1 3 4; do
  [ "$(grep -c -- "--shard $i/4" "$work/resumed/logs/parallel.log")" -eq 1 ] ||
    fail "shard $i ran again"
done
cmp "$work/resumed/joined.csv" "$work/one-machine.csv" || fail "the resumed join differs"
echo "PASS"
