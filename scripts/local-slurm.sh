#!/usr/bin/env bash
# A one-node Slurm cluster on this machine, for trying the engine runner (engine.conf
# runner=srun ...) and for the test of a sweep through srun. Needs root and Debian's
# munge, slurmctld, slurmd and slurm-client:
#   scripts/local-slurm.sh start DIR   writes DIR/slurm.conf, starts munged (unless one
#                                      runs), slurmctld and slurmd, waits for the node
#   scripts/local-slurm.sh stop DIR    stops what start started
# Then point the Slurm commands at it: export SLURM_CONF=DIR/slurm.conf
set -euo pipefail
action="${1:?usage: local-slurm.sh start|stop DIR}"
dir="$(mkdir -p "${2:?usage: local-slurm.sh start|stop DIR}" && cd "$2" && pwd)"
conf="$dir/slurm.conf"

stop_pid_file() {
    [ -f "$1" ] && kill "$(cat "$1")" 2>/dev/null || true
    rm -f "$1"
}

case "$action" in
    stop)
        stop_pid_file "$dir/run/slurmd.pid"
        stop_pid_file "$dir/run/slurmctld.pid"
        stop_pid_file "$dir/run/munged.pid"
        exit 0 ;;
    start) ;;
    *) echo "local-slurm.sh: start or stop, not '$action'" >&2; exit 2 ;;
esac

[ "$(id -u)" -eq 0 ] || { echo "local-slurm.sh: run it as root" >&2; exit 1; }
for program in munged slurmctld slurmd sinfo srun; do
    command -v "$program" >/dev/null || PATH="$PATH:/usr/sbin" command -v "$program" >/dev/null \
        || { echo "local-slurm.sh: $program is missing (Debian packages munge, slurmctld, slurmd, slurm-client)" >&2; exit 1; }
done
export PATH="$PATH:/usr/sbin"
host="$(hostname -s)"
mkdir -p "$dir/state" "$dir/spool" "$dir/log" "$dir/run"
cat >"$conf" <<CONF
ClusterName=local
SlurmctldHost=$host
AuthType=auth/munge
CredType=cred/munge
SlurmUser=root
SlurmdUser=root
StateSaveLocation=$dir/state
SlurmdSpoolDir=$dir/spool
SlurmctldPidFile=$dir/run/slurmctld.pid
SlurmdPidFile=$dir/run/slurmd.pid
SlurmctldLogFile=$dir/log/slurmctld.log
SlurmdLogFile=$dir/log/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
SelectType=select/cons_tres
SelectTypeParameters=CR_Core
ReturnToService=2
MpiDefault=none
SwitchType=switch/none
JobAcctGatherType=jobacct_gather/none
AccountingStorageType=accounting_storage/none
NodeName=$host CPUs=$(nproc) State=UNKNOWN
PartitionName=local Nodes=$host Default=YES MaxTime=INFINITE State=UP OverSubscribe=YES
CONF

if ! munge -n 2>/dev/null | unmunge >/dev/null 2>&1; then
    [ -f /etc/munge/munge.key ] || { echo "local-slurm.sh: /etc/munge/munge.key is missing" >&2; exit 1; }
    mkdir -p /run/munge && chown munge:munge /run/munge
    runuser -u munge -- munged
    pgrep -u munge -n munged >"$dir/run/munged.pid"
fi
export SLURM_CONF="$conf"
slurmctld -f "$conf"
slurmd -f "$conf"
for _ in $(seq 1 30); do
    if sinfo -h -o %t 2>/dev/null | grep -Eq 'idle|mix|alloc'; then
        echo "Slurm runs: export SLURM_CONF=$conf"
        exit 0
    fi
    sleep 1
done
echo "local-slurm.sh: the node did not come up; see $dir/log" >&2
exit 1
