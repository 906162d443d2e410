// Facts of the machine a command runs on: the processors it may use, and
// the temporary names that keep machines sharing a folder apart.
#include <gtest/gtest.h>
#include <sched.h>

#include <cstdlib>

#include "files/Processors.h"
#include "files/SafeFileWriter.h"

namespace vorlix {
namespace {

TEST(Processors, QuotasOfBothCgroupVersionsRoundUpAndNoLimitCountsAsNone) {
    const struct {
        const char* cpuMax;
        int cpus;
    } cases[] = {{"max 100000\n", 0}, {"100000 100000\n", 1}, {"150000 100000", 2},
                 {"50000 100000", 1}, {"400000 100000", 4},   {"", 0},
                 {"junk", 0},         {"200000", 2}};
    for (const auto& c : cases) EXPECT_EQ(CpusOfCgroupMax(c.cpuMax), c.cpus) << c.cpuMax;
    EXPECT_EQ(CpusOfCfsQuota(-1, 100000), 0);
    EXPECT_EQ(CpusOfCfsQuota(250000, 100000), 3);
    EXPECT_EQ(AllowedCpus(8, {0, 3, 0}), 3);
    EXPECT_EQ(AllowedCpus(2, {4}), 2);
    EXPECT_EQ(AllowedCpus(0, {}), 1);
}

// A task bound to one processor, or given one by Slurm, runs one job.
TEST(Processors, OneProcessorOfAffinityOrOfTheSchedulerGivesOneJob) {
    cpu_set_t old;
    ASSERT_EQ(sched_getaffinity(0, sizeof old, &old), 0);
    cpu_set_t one;
    CPU_ZERO(&one);
    for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu)
        if (CPU_ISSET(cpu, &old)) {
            CPU_SET(cpu, &one);
            break;
        }
    ASSERT_EQ(sched_setaffinity(0, sizeof one, &one), 0);
    EXPECT_EQ(AvailableProcessors(), 1);
    ASSERT_EQ(sched_setaffinity(0, sizeof old, &old), 0);

    const int all = AvailableProcessors();
    EXPECT_LE(all, CPU_COUNT(&old));
    setenv("SLURM_CPUS_PER_TASK", "1", 1);
    EXPECT_EQ(AvailableProcessors(), 1);
    unsetenv("SLURM_CPUS_PER_TASK");
    EXPECT_EQ(AvailableProcessors(), all);
}

// Only this host's temporary files are ever taken for stale ones; another
// machine's on a shared folder never are, whatever its name looks like.
TEST(SafeFileWriter, OnlyThisHostsTemporaryFilesCountAsItsOwn) {
    const std::string host = TempHostName("node-07.cluster");
    EXPECT_EQ(host, "node_07.cluster");
    EXPECT_EQ(TempHostName(""), "_");
    EXPECT_EQ(TempHostName("a/b c").find_first_of("/ -"), std::string::npos);
    const struct {
        const char* entry;
        bool ours;
        long pid;
    } cases[] = {
        {".vorlix-123-node_07.cluster-0", true, 123},
        {".vorlix-123-node_07.cluster-l4", true, 123},
        {".vorlix-9-7", true, 9},  // written before hosts were named
        {".vorlix-9-l7", true, 9},
        {".vorlix-123-node_08.cluster-0", false, 0},
        {".vorlix-123-node_07.cluster2-0", false, 0},
        {".vorlix-123-node_07-0", false, 0},
        {".vorlix-123-l-0", false, 0},
        {".vorlix-123-", false, 0},
        {".vorlix--5-0", false, 0},
        {".vorlix-abc-0", false, 0},
        {"vorlix-123-node_07.cluster-0", false, 0},
    };
    for (const auto& c : cases) {
        long pid = 0;
        EXPECT_EQ(IsTempFileOfHost(c.entry, host, pid), c.ours) << c.entry;
        if (c.ours) {
            EXPECT_EQ(pid, c.pid) << c.entry;
        }
    }
}

}  // namespace
}  // namespace vorlix
