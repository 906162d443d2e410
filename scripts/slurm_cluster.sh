# Boots a one-node Slurm cluster in a temporary folder, for the scripts that
# source this file (scripts/slurm_test.sh, bench/shard_bench.sh); they define
# skip MESSAGE and fail MESSAGE first. Afterwards $work is the folder (with
# log/ and out/), SLURM_CONF names the cluster's configuration, the node is
# idle in partition "test", and an EXIT trap stops the daemons by their
# process ids and removes the folder, whatever happens. Loopback only; needs
# root and the Debian packages slurmctld, slurmd, slurm-client and munge
# (skip is called without them).
#
# Facts this rests on: munge refuses a socket unless every folder above it is
# searchable by all; proctrack/linuxproc and task/none keep Slurm away from
# cgroups, yet a cgroup.conf must exist; a node claiming more memory than the
# machine has is invalid and its jobs wait forever.

[ "$(id -u)" -eq 0 ] || skip "the one-node cluster runs its daemons as root"
for tool in munged mungekey slurmctld slurmd sbatch sinfo squeue; do
  command -v "$tool" > /dev/null || [ -x "/usr/sbin/$tool" ] ||
    skip "$tool is missing (install slurmctld slurmd slurm-client munge: bash scripts/setup.sh)"
done
export PATH=$PATH:/usr/sbin

# munge refuses a socket unless every folder above it is searchable by all.
work=$(mktemp -d /tmp/vorlix-slurm.XXXXXX)
chmod 0755 "$work"
mkdir -p "$work"/{munge,state,spool,log,out}
chmod 0755 "$work/munge"
pids=()
cleanup() {
  local pid alive
  # Jobs of this cluster that still run (after a failure) end with it.
  [ ${#pids[@]} -gt 1 ] && timeout 5 scancel --partition=test > /dev/null 2>&1
  for pid in "${pids[@]}"; do kill "$pid" 2> /dev/null; done
  for _ in $(seq 30); do
    alive=0
    for pid in "${pids[@]}"; do kill -0 "$pid" 2> /dev/null && alive=1; done
    [ $alive -eq 0 ] && break
    sleep 0.1
  done
  for pid in "${pids[@]}"; do kill -0 "$pid" 2> /dev/null && kill -9 "$pid" 2> /dev/null; done
  wait 2> /dev/null
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# ---- the cluster ----
mungekey -c -k "$work/munge/munge.key" > /dev/null 2>&1 ||
  { dd if=/dev/urandom of="$work/munge/munge.key" bs=1024 count=1 status=none && chmod 0400 "$work/munge/munge.key"; }
munged -F --force --key-file="$work/munge/munge.key" --socket="$work/munge/munge.socket" \
  --pid-file="$work/munge/munged.pid" --log-file="$work/log/munged.log" --seed-file="$work/munge/seed" \
  > "$work/log/munged.out" 2>&1 &
pids+=($!)

# Ports of our own, away from a real cluster's 6817 and 6818.
port=$((20000 + RANDOM % 20000))
node=$(hostname -s)
# A node that claims more memory than the machine has is invalid, and its jobs wait forever.
memory=$(awk '/^MemTotal:/ { print int($2 / 1024) - 512 }' /proc/meminfo)
cpus=$(nproc)
export SLURM_CONF=$work/slurm.conf
cat > "$SLURM_CONF" << EOF
ClusterName=vorlixtest
SlurmctldHost=$node(127.0.0.1)
SlurmUser=root
SlurmdUser=root
SlurmctldPort=$port
SlurmdPort=$((port + 1))
AuthType=auth/munge
CredType=cred/munge
AuthInfo=socket=$work/munge/munge.socket
StateSaveLocation=$work/state
SlurmdSpoolDir=$work/spool
SlurmctldPidFile=$work/slurmctld.pid
SlurmdPidFile=$work/slurmd.pid
SlurmctldLogFile=$work/log/slurmctld.log
SlurmdLogFile=$work/log/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
JobAcctGatherType=jobacct_gather/none
AccountingStorageType=accounting_storage/none
SchedulerType=sched/backfill
SelectType=select/cons_tres
SelectTypeParameters=CR_CPU
ReturnToService=2
MpiDefault=none
SlurmdTimeout=30
InactiveLimit=0
MinJobAge=300
NodeName=$node NodeAddr=127.0.0.1 CPUs=$cpus RealMemory=$memory State=UNKNOWN
PartitionName=test Nodes=$node Default=YES MaxTime=INFINITE State=UP
EOF
# Without cgroups still a cgroup.conf must exist; a comment does.
echo "# no cgroups: ProctrackType=proctrack/linuxproc, TaskPlugin=task/none" > "$work/cgroup.conf"

for _ in $(seq 50); do [ -S "$work/munge/munge.socket" ] && break; sleep 0.1; done
[ -S "$work/munge/munge.socket" ] || fail "munged did not start"
slurmctld -D -i -f "$SLURM_CONF" > "$work/log/slurmctld.out" 2>&1 &
pids+=($!)
slurmd -D -N "$node" -f "$SLURM_CONF" > "$work/log/slurmd.out" 2>&1 &
pids+=($!)
state=
for _ in $(seq 100); do
  state=$(sinfo -h -n "$node" -o %T 2> /dev/null)
  [ "$state" = idle ] && break
  sleep 0.2
done
[ "$state" = idle ] || fail "the node did not come up (state: ${state:-none})"

