# shellcheck shell=bash
# A single-node Slurm cluster of the test's own, in a temporary folder: sourced
# by the tests that submit to it. start_cluster FOLDER; stop_cluster.
# The daemons listen on Slurm's fixed ports, so one cluster at a time.

cluster_pids=()

start_cluster() {
  local folder="$1" node
  mkdir -p "$folder/state" "$folder/spool"
  node="$(slurmd -C | head -n 1)"
  cat >"$folder/slurm.conf" <<CONF
ClusterName=corvellan-test
SlurmctldHost=$(hostname)(127.0.0.1)
SlurmUser=root
SlurmdUser=root
AuthType=auth/none
CredType=cred/none
MpiDefault=none
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
JobAcctGatherType=jobacct_gather/none
SelectType=select/cons_tres
SelectTypeParameters=CR_Core
AccountingStorageType=accounting_storage/none
JobCompType=jobcomp/none
MailProg=/bin/true
SchedulerParameters=batch_sched_delay=0
StateSaveLocation=$folder/state
SlurmdSpoolDir=$folder/spool
SlurmctldPidFile=$folder/slurmctld.pid
SlurmdPidFile=$folder/slurmd.pid
SlurmctldLogFile=$folder/slurmctld.log
SlurmdLogFile=$folder/slurmd.log
$node NodeAddr=127.0.0.1 State=UNKNOWN
PartitionName=test Nodes=ALL Default=YES MaxTime=INFINITE State=UP
CONF
  export SLURM_CONF="$folder/slurm.conf"
  slurmctld -D >"$folder/slurmctld.out" 2>&1 &
  cluster_pids+=($!)
  slurmd -D -N "$(hostname)" >"$folder/slurmd.out" 2>&1 &
  cluster_pids+=($!)
  local tries
  for ((tries = 0; tries < 100; tries++)); do
    if sinfo -h -o %t 2>/dev/null | grep -qx idle; then
      # Idle is no proof that these daemons answered: another Slurm on the
      # same ports would say so too, while ours could not bind them.
      kill -0 "${cluster_pids[@]}" 2>/dev/null && return 0
      break
    fi
    sleep 0.2
  done
  echo "the test cluster did not come up:" >&2
  tail -n 5 "$folder"/*.out "$folder"/*.log >&2
  return 1
}

# Jobs outlive the daemons under this process tracking: cancel them and wait
# until none is left before the daemons stop.
stop_cluster() {
  if ((${#cluster_pids[@]} == 0)); then return 0; fi
  scancel --full --signal=KILL --user="$(id -un)" 2>/dev/null || true
  local tries
  for ((tries = 0; tries < 50; tries++)); do
    squeue -h 2>/dev/null | grep -q . || break
    sleep 0.2
  done
  kill "${cluster_pids[@]}" 2>/dev/null || true
  wait "${cluster_pids[@]}" 2>/dev/null || true
  cluster_pids=()
}

# Whether this machine can run the cluster: the packages, and root for
# SlurmUser=root.
cluster_available() {
  command -v slurmctld >/dev/null && command -v slurmd >/dev/null &&
    command -v sbatch >/dev/null && [ "$(id -u)" -eq 0 ]
}
