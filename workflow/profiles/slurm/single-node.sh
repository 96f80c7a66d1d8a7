#!/usr/bin/env bash
# A one-machine Slurm cluster for trying the Slurm profile without a real
# cluster: munged, slurmctld and slurmd on this machine, their configuration,
# state and logs in one folder. Needs root and Debian's slurm-wlm and munge
# packages (apt-get install slurm-wlm munge).
#
#   single-node.sh start DIR    start the daemons; prints the SLURM_CONF to export
#   single-node.sh stop DIR     stop the daemons this script started in DIR
#
# Then, from the repository:
#   export SLURM_CONF=DIR/slurm.conf USER=${USER:-$(id -un)}
#   snakemake --profile workflow/profiles/slurm
set -euo pipefail
action=${1:-}
dir=${2:-}
[ -n "$action" ] && [ -n "$dir" ] || { sed -n '2,13p' "$0" >&2; exit 2; }
fail() { echo "single-node.sh: $*" >&2; exit 1; }

stop() {
  for daemon in slurmd slurmctld munged; do
    if [ -f "$dir/$daemon.pid" ]; then
      kill "$(cat "$dir/$daemon.pid")" 2>/dev/null || true
      rm -f "$dir/$daemon.pid"
    fi
  done
}

case "$action" in
  stop) stop; exit 0 ;;
  start) ;;
  *) fail "unknown action '$action' (start or stop)" ;;
esac

[ "$(id -u)" -eq 0 ] || fail "needs root (the daemons switch users and own their spool folders)"
for program in munged slurmctld slurmd sbatch; do
  command -v "$program" >/dev/null || fail "$program is missing: apt-get install slurm-wlm munge"
done
mkdir -p "$dir"/{state,spool,log,munge}
dir=$(cd "$dir" && pwd)
host=$(hostname -s)
cpus=$(nproc)
memory=$(awk '/MemTotal/ { print int($2 / 1024 * 0.8) }' /proc/meminfo)

# munge: the key Debian's package made, a socket of our own.
chown munge:munge "$dir/munge"
su -s /bin/sh munge -c "/usr/sbin/munged --socket=$dir/munge/munge.socket --pid-file=$dir/munge/munged.pid \
  --log-file=$dir/munge/munged.log --seed-file=$dir/munge/munged.seed"
sleep 1
cp "$dir/munge/munged.pid" "$dir/munged.pid"

cat >"$dir/slurm.conf" <<CONF
ClusterName=single-node
SlurmctldHost=$host
SlurmUser=root
AuthType=auth/munge
AuthInfo=socket=$dir/munge/munge.socket
CredType=cred/munge
StateSaveLocation=$dir/state
SlurmdSpoolDir=$dir/spool
SlurmctldPidFile=$dir/slurmctld.pid
SlurmdPidFile=$dir/slurmd.pid
SlurmctldLogFile=$dir/log/slurmctld.log
SlurmdLogFile=$dir/log/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
JobAcctGatherType=jobacct_gather/none
AccountingStorageType=accounting_storage/none
SchedulerType=sched/backfill
SelectType=select/cons_tres
SelectTypeParameters=CR_Core_Memory
ReturnToService=2
MpiDefault=none
MinJobAge=600
NodeName=$host CPUs=$cpus RealMemory=$memory State=UNKNOWN
PartitionName=main Nodes=ALL Default=YES MaxTime=INFINITE State=UP
CONF
# No cgroup confinement: containers rarely allow it.
printf 'CgroupPlugin=cgroup/v1\nIgnoreSystemd=yes\nCgroupAutomount=no\n' >"$dir/cgroup.conf"

export SLURM_CONF=$dir/slurm.conf
slurmctld -f "$SLURM_CONF"
slurmd -f "$SLURM_CONF"
for _ in $(seq 30); do
  if sinfo -h -o %t 2>/dev/null | grep -q idle; then
    echo "single-node.sh: Slurm is up on $host ($cpus CPUs, $memory MiB); export SLURM_CONF=$SLURM_CONF"
    exit 0
  fi
  sleep 1
done
stop
fail "the node did not come up; see $dir/log/"
