#!/usr/bin/env bash
# Runs an independent series fit in shards on a real scheduler and checks that
# the merged shards are byte for byte the unsharded run:
#   1. a single-node Slurm on this machine (munged, slurmctld, slurmd, all
#      configured in a temporary folder, on ports of their own), the shards
#      submitted as a job array with sbatch --array and waited for;
#   2. GNU parallel.
# Usage: tests/cluster/run-cluster-test.sh [TAV_CLI]   (default build/tav-cli)
# Needs root for the Slurm daemons; every daemon it starts is stopped and the
# folder removed on exit, whatever happens.
set -euo pipefail

tav=$(realpath "${1:-build/tav-cli}")
shards=4
files=24
work=$(mktemp -d /tmp/tav-cluster.XXXXXX)
pids=()

fail() {
  echo "FAIL: $*" >&2
  for log in "$work"/*.log; do
    [ -f "$log" ] || continue
    echo "--- $log (last lines)" >&2
    tail -n 15 "$log" >&2
  done
  exit 1
}

cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT

for tool in munged mungekey slurmctld slurmd sbatch sinfo parallel awk; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/setup.sh slurmctld slurmd slurm-client munge parallel)"
done
[ -x "$tav" ] || fail "no tav-cli at $tav"
[ "$(id -u)" -eq 0 ] || fail "the Slurm daemons need root"

# The series: Lorentzian peaks moving a little from file to file.
mkdir "$work/data"
for ((k = 0; k < files; k++)); do
  awk -v k="$k" 'BEGIN {
    for (i = 0; i <= 600; i++) {
      x = 28 + 0.01 * i; u = (x - 30 - 0.002 * k) / 0.1
      printf "%.2f %.3f\n", x, 1000 / (1 + u * u) + 80 - 2 * (x - 28) + ((i * 7 + k * 13) % 11) - 5
    }
  }' > "$work/data/scan$(printf %03d "$k").xy"
done
setup="open xy $work/data/scan000.xy; range 28 34 0 1200; peak-mode; peak 30 1080; series-mode independent"
"$tav" -e "$setup; series $work/full.csv $work/data/*.xy" 2> "$work/full.log" ||
  fail "the unsharded run failed"
[ "$(grep -c ',ok,' "$work/full.csv")" -eq "$files" ] || fail "the unsharded run did not fit every file"

# Merge as README shows: the header once, the rows stably sorted by index.
merge() {
  local out=$1
  shift
  head -n 1 "$1" > "$out"
  tail -q -n +2 "$@" | sort -s -t, -k2,2n >> "$out"
}

# 1. Slurm on this machine.
host=$(hostname -s)
port=$((20000 + $$ % 20000))
mungekey --create --keyfile="$work/munge.key" >/dev/null 2>&1 || fail "mungekey failed"
chmod 600 "$work/munge.key"
munged -F --force --key-file="$work/munge.key" --socket="$work/munge.socket" \
  --pid-file="$work/munged.pid" --log-file="$work/munged.log" --seed-file="$work/munge.seed" \
  2>> "$work/munged.log" &
pids+=($!)
mkdir -p "$work/state" "$work/spool"
cat > "$work/slurm.conf" <<CONF
ClusterName=tavtest
SlurmctldHost=$host
SlurmctldPort=$port
SlurmdPort=$((port + 1))
SlurmUser=root
SlurmdUser=root
AuthType=auth/munge
AuthInfo=socket=$work/munge.socket
CredType=cred/munge
StateSaveLocation=$work/state
SlurmdSpoolDir=$work/spool
SlurmctldPidFile=$work/slurmctld.pid
SlurmdPidFile=$work/slurmd.pid
SlurmctldLogFile=$work/slurmctld.log
SlurmdLogFile=$work/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
SelectType=select/cons_tres
SelectTypeParameters=CR_Core
AccountingStorageType=accounting_storage/none
JobCompType=jobcomp/none
MpiDefault=none
ReturnToService=2
NodeName=$host CPUs=$(nproc) State=UNKNOWN
PartitionName=main Nodes=$host Default=YES MaxTime=INFINITE State=UP
CONF
export SLURM_CONF="$work/slurm.conf"
for _ in $(seq 50); do [ -S "$work/munge.socket" ] && break; sleep 0.1; done
[ -S "$work/munge.socket" ] || fail "munged did not start"
slurmctld -D -i -f "$SLURM_CONF" > "$work/slurmctld.out.log" 2>&1 &
pids+=($!)
slurmd -D -f "$SLURM_CONF" > "$work/slurmd.out.log" 2>&1 &
pids+=($!)
idle=""
for _ in $(seq 60); do
  idle=$(sinfo -h -o %t 2>/dev/null || true)
  [ "$idle" = idle ] && break
  sleep 1
done
[ "$idle" = idle ] || fail "the Slurm node did not become idle (state: ${idle:-none})"

cat > "$work/shard.sh" <<JOB
#!/bin/sh
exec "$tav" -e "$setup; series-shard \$SLURM_ARRAY_TASK_ID \$SLURM_ARRAY_TASK_COUNT; series $work/slurm-\$SLURM_ARRAY_TASK_ID.csv $work/data/*.xy"
JOB
chmod +x "$work/shard.sh"
timeout 300 sbatch --wait --array=0-$((shards - 1)) -o "$work/job-%A_%a.log" "$work/shard.sh" \
  > "$work/sbatch.log" 2>&1 || fail "the Slurm job array failed or timed out"
merge "$work/slurm.csv" "$work"/slurm-*.csv
cmp "$work/slurm.csv" "$work/full.csv" || fail "the Slurm shards differ from the unsharded run"
echo "Slurm: $shards shards merged equal the unsharded run"

# 2. GNU parallel.
timeout 300 parallel --will-cite -q -j2 "$tav" \
  -e "$setup; series-shard {} $shards; series $work/parallel-{}.csv $work/data/*.xy" \
  ::: $(seq 0 $((shards - 1))) 2> "$work/parallel.log" || fail "GNU parallel failed"
merge "$work/parallel.csv" "$work"/parallel-*.csv
cmp "$work/parallel.csv" "$work/full.csv" || fail "the parallel shards differ from the unsharded run"
echo "GNU parallel: $shards shards merged equal the unsharded run"
