#pragma once
// How many processors this process may really use, for the number of threads
// a command starts when none is asked for.
#include <string>
#include <vector>

namespace vorlix {

// The processors this process may use: its CPU affinity, capped by the quota of its cgroup and of
// every cgroup above it, and by the processors Slurm gave its task
// (SLURM_CPUS_PER_TASK); at least 1. A task of a scheduler or container
// limited to one processor thus runs one job, not one per processor of the machine.
int AvailableProcessors();

// The processors a quota allows, rounded up; 0 for no limit. cpuMax is the
// text of a cgroup v2 "cpu.max" file ("max 100000", "150000 100000"); v1
// gives its quota and period in microseconds (a quota below 0: no limit).
int CpusOfCgroupMax(const std::string& cpuMax);
int CpusOfCfsQuota(long long quota, long long period);
// The processors allowed by the limits given (0 = no limit), at least 1.
int AllowedCpus(int affinity, const std::vector<int>& limits);

}  // namespace vorlix
