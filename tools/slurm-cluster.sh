#!/bin/sh
# A private single-node Slurm cluster for trying cluster runs and for the tests.
#
#   tools/slurm-cluster.sh start [DIR]   starts munged, slurmctld and slurmd as root
#   tools/slurm-cluster.sh stop [DIR]    cancels its jobs and stops exactly those daemons
#   tools/slurm-cluster.sh stop-controller|start-controller [DIR]
#                                        takes only slurmctld away and brings it back, as an
#                                        outage of a real cluster's controller would
#
# DIR (default ${TMPDIR:-/tmp}/vorpen-slurm) holds the configuration, the daemons' state, logs and
# process ids; nothing is written outside it. Slurm's commands find the cluster through
#   export SLURM_CONF=DIR/slurm.conf
# Ports are derived from DIR (VORPEN_SLURM_PORT overrides the first of the two), so clusters in
# different folders do not collide; a second start over a running cluster is refused.
# VORPEN_SLURM_USER (default root) names the user slurmctld runs as; that user may also stop and
# start the controller. As another user than root, "start" only accepts a cluster that already
# runs in DIR and "stop" leaves it to root.
set -eu

action="${1:-}"
dir="${2:-${TMPDIR:-/tmp}/vorpen-slurm}"
case "$action" in start | stop | stop-controller | start-controller) ;; *)
    echo "usage: $0 start|stop|stop-controller|start-controller [DIR]" >&2
    exit 2
    ;;
esac
mkdir -p "$dir"
dir="$(cd "$dir" && pwd)"
conf="$dir/slurm.conf"
node=vorpen-node

# Also true for daemons of another user, which kill -0 cannot probe.
alive() {
    [ -s "$1" ] && [ -d "/proc/$(cat "$1")" ]
}

stop_daemon() {
    pidfile="$dir/$1.pid"
    if alive "$pidfile"; then
        pid="$(cat "$pidfile")"
        kill "$pid"
        for _ in $(seq 50); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -9 "$pid" 2>/dev/null || true
    fi
    # Emptied rather than removed: the controller's user may not write into DIR.
    : >"$pidfile"
}

# Each daemon stays in the foreground of its own session; its id is the one recorded.
start_daemon() {
    name="$1"
    shift
    setsid "$@" </dev/null >>"$dir/$name.out" 2>&1 &
    echo $! >"$dir/$name.pid"
}

if [ "$action" = stop-controller ]; then
    stop_daemon slurmctld
    exit 0
fi
if [ "$action" = start-controller ]; then
    if ! alive "$dir/slurmd.pid" || alive "$dir/slurmctld.pid"; then
        echo "No stopped controller of a running cluster in $dir." >&2
        exit 1
    fi
    export SLURM_CONF="$conf"
    start_daemon slurmctld slurmctld -D -i
    exit 0
fi

if [ "$(id -u)" -ne 0 ] && [ "$action" != stop ]; then
    if alive "$dir/munged.pid" && alive "$dir/slurmctld.pid" && alive "$dir/slurmd.pid"; then
        echo "Using the Slurm cluster that already runs in $dir"
        exit 0
    fi
    echo "The private Slurm cluster starts its daemons as root: run this as root or through sudo." >&2
    exit 1
fi
if [ "$(id -u)" -ne 0 ]; then
    echo "The Slurm cluster in $dir belongs to root and is left running."
    exit 0
fi

if [ "$action" = stop ]; then
    if alive "$dir/slurmctld.pid"; then
        export SLURM_CONF="$conf"
        # Jobs end first, so that no job step outlives its daemons.
        scancel --full --quiet $(squeue -h -o %i 2>/dev/null) 2>/dev/null || true
        for _ in $(seq 100); do
            [ -z "$(squeue -h -o %i 2>/dev/null)" ] && break
            sleep 0.1
        done
    fi
    stop_daemon slurmd
    stop_daemon slurmctld
    stop_daemon munged
    echo "Slurm cluster in $dir stopped"
    exit 0
fi

for tool in munged slurmctld slurmd sinfo; do
    command -v "$tool" >/dev/null || {
        echo "$tool is missing: run tools/install-deps.sh first." >&2
        exit 1
    }
done
for daemon in munged slurmctld slurmd; do
    if alive "$dir/$daemon.pid"; then
        echo "A Slurm cluster already runs in $dir; stop it first ($0 stop $dir)." >&2
        exit 1
    fi
done

port="${VORPEN_SLURM_PORT:-$((42000 + $(printf %s "$dir" | cksum | cut -d' ' -f1) % 4000 * 2))}"
for p in "$port" "$((port + 1))"; do
    if ss -Htln "sport = :$p" 2>/dev/null | grep -q .; then
        echo "Port $p is in use; choose another with VORPEN_SLURM_PORT." >&2
        exit 1
    fi
done

# Jobs of ordinary users read the configuration and reach munged's socket.
chmod 755 "$dir"
mkdir -p "$dir/munge" "$dir/ctld" "$dir/spool"
chmod 755 "$dir/munge"
chmod 700 "$dir/ctld" "$dir/spool"
slurm_user="${VORPEN_SLURM_USER:-root}"
for file in slurmctld.pid slurmctld.out slurmctld.log slurmctld.daemon.pid; do
    : >"$dir/$file"
done
chown -R "$slurm_user" "$dir/ctld" "$dir/slurmctld.pid" "$dir/slurmctld.out" \
    "$dir/slurmctld.log" "$dir/slurmctld.daemon.pid"
if [ ! -s "$dir/munge/munge.key" ]; then
    dd if=/dev/urandom of="$dir/munge/munge.key" bs=1024 count=1 2>/dev/null
fi
chmod 400 "$dir/munge/munge.key"

cat >"$conf" <<EOF
ClusterName=vorpen
SlurmctldHost=localhost(127.0.0.1)
SlurmctldPort=$port
SlurmdPort=$((port + 1))
SlurmUser=$slurm_user
AuthType=auth/munge
AuthInfo=socket=$dir/munge/munge.socket
CredType=cred/munge
StateSaveLocation=$dir/ctld
SlurmdSpoolDir=$dir/spool
SlurmctldPidFile=$dir/slurmctld.daemon.pid
SlurmdPidFile=$dir/slurmd.daemon.pid
SlurmctldLogFile=$dir/slurmctld.log
SlurmdLogFile=$dir/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
JobAcctGatherType=jobacct_gather/none
AccountingStorageType=accounting_storage/none
SchedulerType=sched/builtin
SelectType=select/cons_tres
SelectTypeParameters=CR_CPU
MpiDefault=none
SwitchType=switch/none
ReturnToService=2
SlurmctldTimeout=30
SlurmdTimeout=30
KillWait=2
NodeName=$node NodeHostname=$(hostname -s) NodeAddr=127.0.0.1 CPUs=$(nproc) State=UNKNOWN
PartitionName=debug Nodes=$node Default=YES MaxTime=INFINITE State=UP
EOF
chmod 644 "$conf"
export SLURM_CONF="$conf"

start_daemon munged munged --foreground --force --socket="$dir/munge/munge.socket" \
    --key-file="$dir/munge/munge.key" --pid-file="$dir/munge/munged.pid" \
    --log-file="$dir/munge/munged.log" --seed-file="$dir/munge/munged.seed"
for _ in $(seq 50); do
    [ -S "$dir/munge/munge.socket" ] && break
    sleep 0.1
done
start_daemon slurmctld slurmctld -D -i
start_daemon slurmd slurmd -D -N "$node"

for _ in $(seq 300); do
    state="$(sinfo -h -n "$node" -o %t 2>/dev/null || true)"
    if [ "$state" = idle ]; then
        echo "Slurm cluster running in $dir"
        echo "export SLURM_CONF=$conf"
        exit 0
    fi
    sleep 0.1
done
echo "The Slurm node did not become idle; see the logs in $dir." >&2
"$0" stop "$dir" >/dev/null
exit 1
