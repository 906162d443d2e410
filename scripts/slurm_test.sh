#!/usr/bin/env bash
# Runs `vorlix batch --shard` as array jobs of a real one-node Slurm cluster
# and checks the shards' files against one run, byte for byte.
#
#   bash scripts/slurm_test.sh [BIN_DIR]     (default: build/bin)
#
# The cluster (munge, slurmctld, slurmd) lives in a temporary folder, listens
# on loopback only and is stopped by its process ids on exit, whatever
# happens. Needs root and the Debian packages slurmctld, slurmd, slurm-client
# and munge (scripts/setup.sh installs them); without them the test is
# skipped with exit code 77. Slurm's own exit codes are never trusted alone:
# a failed job launch can still look like success there, so the files decide.
set -uo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
bin=$(cd "${1:-$here/build/bin}" && pwd)
vorlix=$bin/vorlix
data=$here/tests/data
style=$here/resources/default.vxd
started=$(date +%s)

skip() { echo "slurm test: SKIPPED: $*"; exit 77; }
fail() {
  echo "slurm test: FAILED: $*" >&2
  for log in "$work"/log/*.log; do [ -s "$log" ] && { echo "--- $log" >&2; tail -n 20 "$log" >&2; }; done
  exit 1
}

[ "$(id -u)" -eq 0 ] || skip "the one-node cluster runs its daemons as root"
for tool in munged mungekey slurmctld slurmd sbatch sinfo squeue; do
  command -v "$tool" > /dev/null || [ -x "/usr/sbin/$tool" ] ||
    skip "$tool is missing (install slurmctld slurmd slurm-client munge: bash scripts/setup.sh)"
done
export PATH=$PATH:/usr/sbin
[ -x "$vorlix" ] || fail "$vorlix is not built"

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
echo "slurm test: one-node cluster up in $(($(date +%s) - started)) s"

# ---- the runs ----
# An array job of `vorlix batch ... --shard K/N`; waits for it to end.
array() {
  local name=$1 shards=$2 args
  shift 2
  args=$(printf '%q ' "$@")
  cat > "$work/$name.sbatch" << EOF
#!/bin/bash
#SBATCH --job-name=$name
#SBATCH --array=1-$shards
#SBATCH --cpus-per-task=1
#SBATCH --output=$work/log/$name-%a.log
exec "$vorlix" batch $args--shard \$SLURM_ARRAY_TASK_ID/\$SLURM_ARRAY_TASK_COUNT \\
  --manifest "$work/out/$name/shard-\$SLURM_ARRAY_TASK_ID.jsonl"
EOF
  sbatch --wait --quiet "$work/$name.sbatch" > /dev/null 2>&1 || true  # the files decide
}

# The same run in one process; compares every file of the two folders.
same_as_single() {
  local name=$1
  shift
  mkdir -p "$work/out/$name-single"
  "$vorlix" batch "$@" --jobs 1 > /dev/null 2>&1
  local single=$work/out/$name-single count
  count=$(find "$single" -type f | wc -l)
  [ "$count" -gt 0 ] || fail "$name: the single run wrote nothing"
  diff -r -x '*.jsonl' "$single" "$work/out/$name" > /dev/null ||
    fail "$name: the shards' files differ from the single run's ($(diff -rq -x '*.jsonl' "$single" "$work/out/$name" | head -3))"
  "$vorlix" batch --verify "$work/out/$name"/shard-*.jsonl > /dev/null || fail "$name: the shards' manifests do not verify"
  echo "slurm test: $name: $count files of $(ls "$work/out/$name"/shard-*.jsonl | wc -l) shards equal one run's"
}

mkdir -p "$work/out/pgn" "$work/out/epd" "$work/out/broken"
pgn_args=("$data/Morphy_ANSI.pgn" --games 1-25 --positions entire --header players,move --style "$style")
array pgn 4 "${pgn_args[@]}" -o "$work/out/pgn/Morphy.gif"
same_as_single pgn "${pgn_args[@]}" -o "$work/out/pgn-single/Morphy.gif"

epd_args=("$data/wacnew.epd" --records 1-120 --header id --style "$style")
array epd 4 "${epd_args[@]}" -o "$work/out/epd/Wac.png"
same_as_single epd "${epd_args[@]}" -o "$work/out/epd-single/Wac.png"

# A broken shard: one file spoilt after the run, and a shard whose job fails.
printf x >> "$(find "$work/out/pgn" -name 'Morphy*.GIF' | sort | sed -n 7p)"
"$vorlix" batch --verify "$work/out/pgn"/shard-*.jsonl > /dev/null 2>&1 &&
  fail "verify passed over a spoilt file"
cat > "$work/broken.sbatch" << EOF
#!/bin/bash
#SBATCH --array=1-3
#SBATCH --output=$work/log/broken-%a.log
out=$work/out/broken
[ "\$SLURM_ARRAY_TASK_ID" = 2 ] && out=$work/out/no-such-folder
exec "$vorlix" batch "$data/bratko-kopec.epd" --style "$style" -o "\$out/B.gif" \\
  --shard \$SLURM_ARRAY_TASK_ID/3 --manifest "$work/out/broken/shard-\$SLURM_ARRAY_TASK_ID.jsonl"
EOF
sbatch --wait --quiet "$work/broken.sbatch" > /dev/null 2>&1 || true
[ -f "$work/out/broken/shard-1.jsonl" ] && [ -f "$work/out/broken/shard-3.jsonl" ] ||
  fail "the good shards of the broken run left no manifests"
"$vorlix" batch --verify "$work/out/broken"/shard-*.jsonl > "$work/log/verify.out" 2>&1 &&
  fail "verify passed with a shard missing"
grep -q "shard 2/3 of this run has no manifest" "$work/log/verify.out" || fail "verify did not name the missing shard"
echo "slurm test: a spoilt file and a failed shard make the verify step fail"

echo "slurm test: passed in $(($(date +%s) - started)) s"
