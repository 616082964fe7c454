#!/usr/bin/env bash
# corvellan-sweep on a real single-node Slurm cluster: two sweeps joined byte
# for byte as one machine writes them, then a shard killed on purpose, the
# join refusing, and the resubmission of that shard alone completing it.
# usage: slurm_sweep_test.sh CORVELLAN-RUN CORVELLAN-SWEEP
set -euo pipefail
run="$1"
sweep="$2"
here="$(cd "$(dirname "$0")" && pwd)"
# shellcheck source=tests/cluster/single_node_slurm.sh
source "$here/single_node_slurm.sh"

if ! cluster_available; then
  echo "skipped: needs root and Debian's slurmctld, slurmd and slurm-client" >&2
  exit 77
fi

work="$(mktemp -d)"
trap 'stop_cluster; rm -rf "$work"' EXIT
start_cluster "$work/cluster"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

wait_until_queue_empty() {
  local tries
  for ((tries = 0; tries < 300; tries++)); do
    squeue -h | grep -q . || return 0
    sleep 0.2
  done
  fail "jobs still queued after 60 s: $(squeue -h)"
}

echo "== a sweep without a summary, as JSON Lines, 8 shards from array index 0"
runs=(--seed 11 --sweep paramJ=0:1:0.1 --replicates 3 --format json)
"$sweep" slurm --dir "$work/runs" --run "$run" --array-base 0 --wait 8 -- "${runs[@]}"
"$run" "${runs[@]}" --jobs 1 >"$work/runs-one-machine.jsonl"
cmp "$work/runs/joined.jsonl" "$work/runs-one-machine.jsonl" ||
  fail "the joined runs differ from one machine's"

echo "== a folder whose name Slurm and sh must carry as it is"
# A space, quotes, ; and $(...) for the shell of --wrap, % for Slurm's file
# name patterns, and more than ASCII.
# The name holds $MARKER itself: a slash would make it a path of folders.
export MARKER="$work/ran"
hostile="$work/semi;colon 'quote' \"double\" \$(touch \$MARKER) 50%a%%j ütf-8"
"$sweep" slurm --dir "$hostile" --run "$run" --array-base 07 --wait 3 -- "${runs[@]}"
cmp "$hostile/joined.jsonl" "$work/runs-one-machine.jsonl" ||
  fail "the joined runs in $hostile differ from one machine's"
[ ! -e "$work/ran" ] || fail "the folder's name ran a command"
[ -f "$hostile/logs/task-7.log" ] ||
  fail "task 7's log is not where --output puts it: $(ls "$hostile/logs")"

echo "== a submission that sbatch refuses leaves no folder behind"
if "$sweep" slurm --dir "$work/refused" --run "$run" --sbatch=--partition=no-such-partition \
  2 -- "${runs[@]}" 2>"$work/refused.err"; then
  fail "sbatch took a partition that does not exist"
fi
grep -q "sbatch refused the job array" "$work/refused.err" || fail "it said: $(cat "$work/refused.err")"
[ ! -e "$work/refused" ] || fail "the refused sweep left $work/refused behind"
[ -z "$(squeue -h)" ] || fail "the refused sweep left jobs: $(squeue -h)"

echo "== more shards than the cluster's MaxArraySize allows, refused up front"
if "$sweep" slurm --dir "$work/too-many" --run "$run" 1001 -- "${runs[@]}" 2>"$work/too-many.err"; then
  fail "1001 shards from index 1 were submitted"
fi
grep -q "MaxArraySize of 1001 allows 0 to 1000" "$work/too-many.err" ||
  fail "it said: $(cat "$work/too-many.err")"
[ ! -e "$work/too-many" ] || fail "the refused sweep left $work/too-many behind"

echo "== a sweep with a summary, 8 shards; shard 3's task is killed"
summary=(--seed -7 --sweep paramJ=0:1:0.05 --sweep "sanctionsOn=0,1" --replicates 5 --summary)
# Stands in for corvellan-run: while the marker exists, shard 3 stalls until
# the test kills it.
cat >"$work/stalling-run" <<WRAPPER
#!/bin/sh
case " \$* " in
  *" --shard 3/8 "*) if [ -e "$work/marker" ]; then echo \$\$ >"$work/stalled"; exec sleep 600; fi ;;
esac
exec "$run" "\$@"
WRAPPER
chmod +x "$work/stalling-run"
touch "$work/marker"
"$sweep" slurm --dir "$work/summary" --run "$work/stalling-run" 8 -- "${summary[@]}"
for ((tries = 0; tries < 150; tries++)); do
  [ -s "$work/stalled" ] && break
  sleep 0.2
done
[ -s "$work/stalled" ] || fail "shard 3 never started"
kill -KILL "$(cat "$work/stalled")"
wait_until_queue_empty

[ ! -e "$work/summary/part-3.csv" ] || fail "the killed shard left a part"
for i in 1 2 4 5 6 7 8; do
  [ -f "$work/summary/part-$i.csv" ] || fail "part $i is missing"
done
[ ! -e "$work/summary/joined.csv" ] || fail "joined although a shard failed"
status="$("$sweep" status "$work/summary")"
[ "$status" = "missing shards: 3 of 8" ] || fail "status says: $status"
if refusal="$("$sweep" join "$work/summary" 2>&1)"; then fail "the join accepted a missing part"; fi
grep -q "part-3.csv (shard 3/8): cannot be opened" <<<"$refusal" || fail "join said: $refusal"
[ ! -e "$work/summary/joined.csv" ] || fail "a refused join wrote its file"

rm "$work/marker"
resubmitted="$("$sweep" resubmit --wait "$work/summary")"
echo "$resubmitted"
grep -q "^submitted shards 3 of 8 " <<<"$resubmitted" || fail "resubmitted more than shard 3"
"$run" "${summary[@]}" --jobs 1 >"$work/summary-one-machine.csv"
cmp "$work/summary/joined.csv" "$work/summary-one-machine.csv" ||
  fail "the joined summary differs from one machine's"
echo "PASS"
