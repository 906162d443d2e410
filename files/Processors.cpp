#include "files/Processors.h"

#include <sched.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace vorlix {

int CpusOfCfsQuota(long long quota, long long period) {
    if (quota <= 0 || period <= 0) return 0;
    return static_cast<int>(std::min<long long>((quota + period - 1) / period, INT32_MAX));
}

int CpusOfCgroupMax(const std::string& cpuMax) {
    long long quota = 0, period = 100000;
    char word[16] = {};
    if (std::sscanf(cpuMax.c_str(), "%15s %lld", word, &period) < 1 || std::strcmp(word, "max") == 0) return 0;
    char* end = nullptr;
    quota = std::strtoll(word, &end, 10);
    return *end ? 0 : CpusOfCfsQuota(quota, period);
}

int AllowedCpus(int affinity, const std::vector<int>& limits) {
    int n = affinity > 0 ? affinity : 1;
    for (int limit : limits)
        if (limit > 0) n = std::min(n, limit);
    return n;
}

namespace {

std::string ReadSmallFile(const std::string& name) {
    std::FILE* f = std::fopen(name.c_str(), "re");
    if (!f) return {};
    char buffer[4096];
    const size_t n = std::fread(buffer, 1, sizeof buffer, f);
    std::fclose(f);
    return std::string(buffer, n);
}

// This process's cgroup for the controller (empty: the unified v2 hierarchy), from /proc/self/cgroup.
std::string CgroupPath(const std::string& controller) {
    const std::string text = ReadSmallFile("/proc/self/cgroup");
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(at, end - at);
        at = end + 1;
        const size_t first = line.find(':'), second = line.find(':', first + 1);
        if (first == std::string::npos || second == std::string::npos) continue;
        const std::string controllers = "," + line.substr(first + 1, second - first - 1) + ",";
        if (controller.empty() ? controllers == ",," : controllers.find("," + controller + ",") != std::string::npos)
            return line.substr(second + 1);
    }
    return {};
}

// The smallest quota of the cgroup and those above it.
void AddCgroupLimits(std::vector<int>& limits) {
    std::string path = CgroupPath("");
    if (!path.empty()) {
        for (;;) {
            limits.push_back(CpusOfCgroupMax(ReadSmallFile("/sys/fs/cgroup" + path + "/cpu.max")));
            if (path.empty() || path == "/") break;
            path = path.substr(0, path.rfind('/'));
        }
    }
    path = CgroupPath("cpu");
    if (!path.empty()) {
        for (const std::string& folder : {"/sys/fs/cgroup/cpu" + path, std::string("/sys/fs/cgroup/cpu")}) {
            const std::string quota = ReadSmallFile(folder + "/cpu.cfs_quota_us");
            const std::string period = ReadSmallFile(folder + "/cpu.cfs_period_us");
            if (!quota.empty() && !period.empty())
                limits.push_back(CpusOfCfsQuota(std::atoll(quota.c_str()), std::atoll(period.c_str())));
        }
    }
}

}  // namespace

int AvailableProcessors() {
    cpu_set_t set;
    int affinity = 0;
    if (sched_getaffinity(0, sizeof set, &set) == 0) affinity = CPU_COUNT(&set);
    if (affinity <= 0) affinity = static_cast<int>(std::thread::hardware_concurrency());
    std::vector<int> limits;
    AddCgroupLimits(limits);
    if (const char* slurm = std::getenv("SLURM_CPUS_PER_TASK")) limits.push_back(std::atoi(slurm));
    return AllowedCpus(affinity, limits);
}

}  // namespace vorlix
