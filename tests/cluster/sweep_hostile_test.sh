#!/usr/bin/env bash
# corvellan-sweep given hostile folder names, option values and sweep files,
# against stand-in sbatch, scontrol, scancel, squeue and parallel on PATH that
# record every argument they are given and run the jobs at once (each task
# under sh, as Slurm's --wrap and GNU parallel's commands run). No text of a
# name or a file may run as a command, a refusal must come before anything is
# submitted and leave nothing behind, and a name that can be carried must
# give the same joined file as one machine.
# usage: sweep_hostile_test.sh CORVELLAN-RUN CORVELLAN-SWEEP
set -euo pipefail
run="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
sweep="$(cd "$(dirname "$2")" && pwd)/$(basename "$2")"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# Cases and failures are counted in files: some cases run in subshells.
fail() {
  echo "FAIL: $*" >&2
  echo >>"$work/failures"
}

# --- the stand-ins --------------------------------------------------------
mkdir "$work/bin" "$work/record"
export STANDIN_RECORD="$work/record"
export PATH="$work/bin:$PATH"

cat >"$work/bin/sbatch" <<'STANDIN'
#!/usr/bin/env bash
# Records its arguments (NUL-separated) in $STANDIN_RECORD/sbatch-N and runs
# the job at once: each task of --array with SLURM_ARRAY_TASK_ID set, a job
# with --dependency=afterok:ID only when every task of ID succeeded. Refuses
# the job named $STANDIN_REFUSE.
set -u
count=$(find "$STANDIN_RECORD" -name 'sbatch-*' | wc -l)
id=$((101 + count))
printf '%s\0' "$@" >"$STANDIN_RECORD/sbatch-$((count + 1))"
array="" output="" wrap="" after="" name=""
for argument in "$@"; do
  case "$argument" in
    --array=*) array="${argument#*=}" ;;
    --output=*) output="${argument#*=}" ;;
    --wrap=*) wrap="${argument#*=}" ;;
    --dependency=afterok:*) after="${argument#*afterok:}" ;;
    --job-name=*) name="${argument#*=}" ;;
  esac
done
if [ "$name" = "${STANDIN_REFUSE:-}" ]; then
  echo "sbatch: error: Batch job submission failed: stand-in refusal" >&2
  exit 1
fi
# Slurm's file name pattern: %a the task, %j the job, %% a %.
expand() {
  local pattern="$1" task="$2" text="" c
  while [ -n "$pattern" ]; do
    c="${pattern:0:1}"
    if [ "$c" = "%" ]; then
      case "${pattern:1:1}" in
        a) text+="$task" ;;
        j) text+="$id" ;;
        %) text+="%" ;;
        *) echo "stand-in sbatch: unexpected pattern in $1" >&2; exit 1 ;;
      esac
      pattern="${pattern:2}"
    else
      text+="$c"
      pattern="${pattern:1}"
    fi
  done
  printf '%s' "$text"
}
tasks=()
IFS=, read -r -a ranges <<<"$array"
for range in "${ranges[@]}"; do
  for ((task = ${range%-*}; task <= ${range#*-}; task++)); do tasks+=("$task"); done
done
[ -z "$after" ] || [ ! -e "$STANDIN_RECORD/failed-$after" ] || {
  echo "$id"
  exit 0
}
for task in "${tasks[@]:-0}"; do
  SLURM_ARRAY_TASK_ID="$task" sh -c "$wrap" >"$(expand "$output" "$task")" 2>&1 ||
    touch "$STANDIN_RECORD/failed-$id"
done
echo "$id"
STANDIN

cat >"$work/bin/parallel" <<'STANDIN'
#!/usr/bin/env bash
# Records its arguments in $STANDIN_RECORD/parallel-N and runs its command
# (the last argument) under sh once for each line of its input, {} replaced.
set -u
count=$(find "$STANDIN_RECORD" -name 'parallel-*' | wc -l)
printf '%s\0' "$@" >"$STANDIN_RECORD/parallel-$((count + 1))"
command="${!#}"
while IFS= read -r argument; do
  sh -c "${command//\{\}/$argument}" || true
done
STANDIN

cat >"$work/bin/scontrol" <<'STANDIN'
#!/bin/sh
echo "Configuration data as of 2026-01-01T00:00:00"
echo "MaxArraySize            = ${STANDIN_MAX_ARRAY_SIZE:-1001}"
echo "MaxJobCount             = 10000"
STANDIN

cat >"$work/bin/scancel" <<'STANDIN'
#!/bin/sh
printf '%s\n' "$*" >>"$STANDIN_RECORD/scancel"
STANDIN

printf '#!/bin/sh\n' >"$work/bin/squeue"
chmod +x "$work/bin/"*

# --- the table ---------------------------------------------------------------
batch=(--seed 5 --sweep paramJ=0:1:0.25 --replicates 2)
"$run" "${batch[@]}" --jobs 1 >"$work/one-machine.csv"
marker="$work/ran-a-command"
export MARKER="$marker"
# Text that runs a command wherever a shell or GNU parallel evaluates it
# (without a slash, to fit in a file name).
inject="\$(touch \$MARKER)\`touch \$MARKER\`;touch \$MARKER;{=system(\"touch \$ENV{MARKER}\")=}"

# Folder names, each inside its own parent folder.
name_space="with space"
name_shell="semi;colon 'quote' \"double\" $inject"
name_slurm="per%cent%a%%j {} ütf-8"
name_newline=$'new\nline'
name_tab=$'tab\there'

# expect NAME STATUS MESSAGE COMMAND...: runs corvellan-sweep COMMAND... in a
# fresh folder; the status must be STATUS and what it prints must hold
# MESSAGE. A refusal (status 2) must leave that folder empty and, unless
# submits is set, call none of the stand-ins; no case may run the marker
# command.
expect() {
  local name="$1" status="$2" message="$3" got=0
  shift 3
  here="$(mktemp -d "$work/case-XXXXXX")"
  rm -f "$STANDIN_RECORD"/*
  (cd "$here" && "$sweep" "$@") >"$here.out" 2>"$here.err" </dev/null || got=$?
  [ "$got" -eq "$status" ] || fail "$name: exit $got, expected $status: $(cat "$here.err")"
  [ -z "$message" ] || grep -qF -- "$message" "$here.out" "$here.err" || fail "$name: said $(cat "$here.err"), expected $message"
  [ ! -e "$marker" ] || fail "$name: a name or a file ran a command"
  rm -f "$marker"
  if [ "$status" -eq 2 ]; then
    [ -z "$(ls -A "$here")" ] || fail "$name: left $(ls -A "$here") behind"
    [ -n "${submits:-}" ] || [ -z "$(ls "$STANDIN_RECORD")" ] || fail "$name: submitted or ran something"
  fi
}

# joined_like_one_machine NAME FOLDER
joined_like_one_machine() {
  cmp -s "$2/joined.csv" "$work/one-machine.csv" || fail "$1: the joined file differs"
}

# recorded TOOL N: the arguments of the Nth call, one a line (none holds a newline here).
recorded() { tr '\0' '\n' <"$STANDIN_RECORD/$1-$2"; }

echo "== names that can be carried: the same file as one machine"
for name in "$name_space" "$name_shell" "$name_slurm"; do
  expect "parallel in $(printf %q "$name")" 0 "" parallel --dir "$name" --run "$run" 3 -- "${batch[@]}"
  joined_like_one_machine "parallel in $name" "$here/$name"
  expect "slurm in $(printf %q "$name")" 0 "" slurm --dir "$name" --run "$run" 3 -- "${batch[@]}"
  joined_like_one_machine "slurm in $name" "$here/$name"
  recorded sbatch 1 | grep -qxF -- "--output=$here/${name//%/%%}/logs/task-%a.log" ||
    fail "slurm in $name: --output was $(recorded sbatch 1 | grep -- --output)"
  folder="$here/$name"
  expect "status in $(printf %q "$name")" 0 "joined: $folder/joined.csv" status "$folder"
done
mkdir "$work/absolute"
expect "parallel in a folder named by an absolute path" 0 "" \
  parallel --dir "$work/absolute/$name_shell" --run "$run" 2 -- "${batch[@]}"
joined_like_one_machine "parallel, absolute" "$work/absolute/$name_shell"

echo "== names that cannot be carried, refused before anything is made"
for command in slurm parallel; do
  expect "$command, newline" 2 "holds a control character" \
    "$command" --dir "$name_newline" --run "$run" 2 -- "${batch[@]}"
  expect "$command, tab" 2 "holds a control character" \
    "$command" --dir "$name_tab" --run "$run" 2 -- "${batch[@]}"
  expect "$command, escape" 2 "holds a control character" \
    "$command" --dir $'esc\e[31m' --run "$run" 2 -- "${batch[@]}"
  expect "$command, option-like --dir" 2 "looks like an option; write ./-x" \
    "$command" --dir -x --run "$run" 2 -- "${batch[@]}"
  expect "$command, --dir=-x" 2 "looks like an option" \
    "$command" --dir=-x --run "$run" 2 -- "${batch[@]}"
  expect "$command, --dir without a value" 2 "--dir needs a value" "$command" --dir
  expect "$command, --dir=" 2 "--dir needs a folder" "$command" --dir= 2 -- "${batch[@]}"
  expect "$command, --run without a value" 2 "--run needs a value" "$command" --run
  expect "$command, folder exists" 2 "already exists" \
    "$command" --dir .. --run "$run" 2 -- "${batch[@]}"
  expect "$command, no parent" 2 "no such folder to make the sweep folder in" \
    "$command" --dir no/such --run "$run" 2 -- "${batch[@]}"
done
expect "slurm, backslash" 2 "holds a backslash" slurm --dir 'back\slash' --run "$run" 2 -- "${batch[@]}"
expect "parallel, ./-x" 0 "" parallel --dir ./-x --run "$run" 2 -- "${batch[@]}"
joined_like_one_machine "parallel in ./-x" "$here/-x"

echo "== numbers: decimal, in range, checked before anything is made"
expect "--array-base 08" 0 "" slurm --dir s --run "$run" --array-base 08 3 -- "${batch[@]}"
recorded sbatch 1 | grep -qx -- "--array=8-10" || fail "--array-base 08: $(recorded sbatch 1 | grep -- --array)"
joined_like_one_machine "--array-base 08" "$here/s"
expect "--array-base 010" 0 "" slurm --dir s --run "$run" --array-base=010 3 -- "${batch[@]}"
recorded sbatch 1 | grep -qx -- "--array=10-12" || fail "--array-base 010: $(recorded sbatch 1 | grep -- --array)"
expect "shard count 08" 0 "" parallel --dir p --run "$run" 08 -- "${batch[@]}"
[ "$(cat "$here/p/shards")" = 8 ] || fail "shard count 08 gave $(cat "$here/p/shards") shards"
for base in 99999999999999999999 -1 1e3 0x10 " 1" "" "1;touch $marker" "a[\$(touch $marker)]"; do
  expect "--array-base $(printf %q "$base")" 2 "--array-base must be a whole number from 0 to" \
    slurm --dir s --run "$run" --array-base "$base" 2 -- "${batch[@]}"
done
for count in 0 -3 2.5 1e3 99999999999999999999 "a[\$(touch $marker)]"; do
  for command in slurm parallel; do
    expect "$command, $(printf %q "$count") shards" 2 "the shard count must be a whole number from 1 to" \
      "$command" --dir s --run "$run" "$count" -- "${batch[@]}"
  done
done
for per_host in 0 x "1;touch $marker"; do
  expect "--jobs-per-host $(printf %q "$per_host")" 2 "--jobs-per-host must be a whole number" \
    parallel --dir p --run "$run" --jobs-per-host "$per_host" 2 -- "${batch[@]}"
done
expect "--sshlogin with a newline" 2 "holds a control character" \
  parallel --dir p --run "$run" --sshlogin $'host\nother' 2 -- "${batch[@]}"

echo "== shard counts against what Slurm and a join can hold"
expect "20 million shards, in little memory" 2 "the shard count must be a whole number from 1 to 4000001" \
  slurm --dir s --run "$run" 20000000 -- "${batch[@]}"
export STANDIN_MAX_ARRAY_SIZE=1001
expect "1000 shards from index 1 fit a MaxArraySize of 1001" 2 "corvellan-run refused" \
  slurm --dir s --run "$run" 1000 -- --seed 5 --no-such-option
expect "1001 shards from index 1" 2 "1001 shards from array index 1 need indices up to 1001, and this cluster's MaxArraySize of 1001 allows 0 to 1000" \
  slurm --dir s --run "$run" 1001 -- "${batch[@]}"
expect "1001 shards from index 0" 2 "corvellan-run refused" \
  slurm --dir s --run "$run" --array-base 0 1001 -- --seed 5 --no-such-option
expect "3 shards from index 999" 2 "need indices up to 1001" \
  slurm --dir s --run "$run" --array-base 999 3 -- "${batch[@]}"
STANDIN_MAX_ARRAY_SIZE=50 expect "3 million shards, MaxArraySize 50" 2 "MaxArraySize of 50" \
  slurm --dir s --run "$run" 3000000 -- "${batch[@]}"
STANDIN_MAX_ARRAY_SIZE="garbage" expect "no MaxArraySize" 2 "gives no MaxArraySize" \
  slurm --dir s --run "$run" 2 -- "${batch[@]}"
(
  ulimit -n 200
  expect "parallel, more parts than open files" 2 "hard limit of open files (ulimit -Hn) is 200: use at most 136 shards" \
    parallel --dir p --run "$run" 137 -- "${batch[@]}"
)
# The check above takes no memory to speak of: 20 million shards under a
# 100 MB address space limit.
(
  ulimit -v 100000
  expect "20 million shards under ulimit -v" 2 "the shard count must be a whole number" \
    parallel --dir p --run "$run" 20000000 -- "${batch[@]}"
)

echo "== a refused submission leaves nothing behind"
submits=1 STANDIN_REFUSE=corvellan-shard expect "sbatch refuses the array" 2 "sbatch refused the job array" \
  slurm --dir s --run "$run" 3 -- "${batch[@]}"
submits=1 STANDIN_REFUSE=corvellan-join expect "sbatch refuses the join" 2 "sbatch refused the join job (the job array 101 is cancelled)" \
  slurm --dir s --run "$run" 3 -- "${batch[@]}"
[ "$(cat "$STANDIN_RECORD/scancel" 2>/dev/null)" = 101 ] || fail "the array was not cancelled"
expect "corvellan-run refuses the batch" 2 "corvellan-run refused the batch arguments" \
  slurm --dir s --run "$run" 3 -- --seed 5 --sweep nonsense

echo "== resubmit asks for the missing shards alone, as ranges"
expect "a sweep of 6 shards from index 8" 0 "" slurm --dir s --run "$run" --array-base 08 6 -- "${batch[@]}"
rm "$here/s/joined.csv" "$here/s/part-2.csv" "$here/s/part-3.csv" "$here/s/part-5.csv"
folder="$here/s"
submits=1 expect "resubmit 2, 3 and 5" 0 "submitted shards 2,3,5 of 6" resubmit "$folder"
recorded sbatch 1 | grep -qx -- "--array=9-10,12" || fail "resubmit: $(recorded sbatch 1 | grep -- --array)"
[ "$(cat "$STANDIN_RECORD/scancel")" = 102 ] || fail "resubmit cancelled $(cat "$STANDIN_RECORD/scancel")"
joined_like_one_machine "resubmitted" "$folder"

echo "== the sweep's files are data"
expect "a good sweep to spoil" 0 "" slurm --dir good --run "$run" 3 -- "${batch[@]}"
good="$here/good"
# spoil FILE TEXT MESSAGE COMMAND...: corvellan-sweep COMMAND... on a copy of
# the good sweep with FILE replaced by TEXT must be refused with MESSAGE.
spoil() {
  local file="$1" text="$2" message="$3" spoiled
  spoiled="$(mktemp -d "$work/spoiled-XXXXXX")/sweep"
  cp -r "$good" "$spoiled"
  # Not joined, and a part missing: resubmit reads every file then.
  rm -f "$spoiled/joined.csv" "$spoiled/part-2.csv"
  printf '%s\n' "$text" >"$spoiled/$file"
  shift 3
  expect "$file holding $(printf %q "$text"), $*" 2 "$message" "$@" "$spoiled"
  rm -rf "$(dirname "$spoiled")"
}
for text in "a[\$(touch $marker)]" "3;touch $marker" "0" "08x" ""; do
  spoil shards "$text" "shards holds" status
done
spoil shards "99999999999999999999" "not a whole number from 1 to 4000001" join
spoil extension "csv;touch $marker" "not csv or jsonl" status
spoil extension "\$(touch $marker)" "not csv or jsonl" join
spoil run "touch $marker" "not an absolute path" join
spoil parts "\$(touch $marker)" "not a parts folder of this sweep" status
spoil parts "../elsewhere" "not a parts folder of this sweep" join
spoil array-base "a[\$(touch $marker)]" "not a whole number from 0" task
spoil array-base "1;touch $marker" "not a whole number from 0" resubmit
spoil join-job "1;touch $marker" "not a Slurm job id" resubmit
for text in "a[\$(touch $marker)]" "1;touch $marker"; do
  (
    export SLURM_ARRAY_TASK_ID="$text"
    expect "SLURM_ARRAY_TASK_ID $(printf %q "$text")" 2 "not a Slurm array task" task "$good"
  )
done
expect "a parallel sweep to spoil" 0 "" parallel --dir good --run "$run" 2 -- "${batch[@]}"
good="$here/good"
spoil jobs-per-host "a[\$(touch $marker)]" "not a whole number from 1" parallel-resume
spoil parts "/tmp/\$(touch $marker)" "not a parts folder of this sweep" parallel-resume

cases="$(find "$work" -maxdepth 1 -name 'case-*' -type d | wc -l)"
failures=0
[ ! -f "$work/failures" ] || failures="$(wc -l <"$work/failures")"
echo "$((cases - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
