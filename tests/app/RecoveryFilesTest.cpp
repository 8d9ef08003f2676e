// The Qt-free parts of the recovery copies: the names in the recovery
// folder, the info and lock texts, who owns a copy (with real processes),
// when copies are written, and the writer thread on real files.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <mutex>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "app/ProcessIdentity.h"
#include "app/RecoveryFiles.h"
#include "app/RecoverySchedule.h"
#include "app/RecoveryWriter.h"

namespace pw {
namespace {

TEST(RecoveryFileNames, StemsAndTheirFilesAreRecognisedAndNothingElse) {
    const std::string stem = MakeRecoveryStem(4321, 0x00ab'cdef'0123'4567ull);
    EXPECT_EQ(stem, "card-4321-00abcdef01234567");
    EXPECT_NE(MakeRecoveryStem(4321, 1), MakeRecoveryStem(4321, 2));

    const struct {
        std::string name;
        RecoveryFileKind kind;
    } ours[] = {{RecoveryCopyName(stem), RecoveryFileKind::Copy},
                {RecoveryInfoName(stem), RecoveryFileKind::Info},
                {RecoveryLockName(stem), RecoveryFileKind::Lock},
                {"." + stem + ".kpf.tmp123456", RecoveryFileKind::Temporary},
                {"." + stem + ".lock.tmp0", RecoveryFileKind::Temporary}};
    for (const auto& f : ours) {
        const auto parsed = ParseRecoveryFileName(f.name);
        ASSERT_TRUE(parsed) << f.name;
        EXPECT_EQ(parsed->stem, stem) << f.name;
        EXPECT_EQ(parsed->kind, f.kind) << f.name;
    }
    for (const char* other : {"", "card.kpf", "tree.kpf", "card-1-00abcdef01234567", "card-1-00abcdef01234567.txt",
                              "card-1-00ABCDEF01234567.kpf", "card--00abcdef01234567.kpf", "card-1-0abc.kpf",
                              "card-12345678901-00abcdef01234567.kpf", ".card-1-00abcdef01234567.kpf.tmp",
                              ".card-1-00abcdef01234567.kpf.tmp12x", "..card-1-00abcdef01234567.kpf.tmp1",
                              "card-1-00abcdef01234567.kpf.tmp1", "../card-1-00abcdef01234567.kpf"})
        EXPECT_FALSE(ParseRecoveryFileName(other)) << other;
}

TEST(RecoveryInfoText, RoundTripsEveryPathAndTitle) {
    for (const RecoveryInfo& info :
         {RecoveryInfo{"/home/ann/cards/tree.kpf", "tree", 1733650000123}, RecoveryInfo{"", "Untitled", 0},
          RecoveryInfo{"/odd/na\\me\nwith\rbreaks and  blanks.kpf", "Ba\\um \xc3\xa4\n", 9007199254740993},
          RecoveryInfo{"", "", 1}}) {
        const std::string text = FormatRecoveryInfo(info);
        const auto back = ParseRecoveryInfo(text);
        ASSERT_TRUE(back) << text;
        EXPECT_EQ(back->cardPath, info.cardPath);
        EXPECT_EQ(back->title, info.title);
        EXPECT_EQ(back->changedMs, info.changedMs);
    }
    EXPECT_EQ(FormatRecoveryInfo({"/c/tree.kpf", "tree", 5}),
              "popwright recovery 1\nfile /c/tree.kpf\ntitle tree\nchanged 5\n");
    // Later versions may add keys; they are passed over.
    const auto later = ParseRecoveryInfo("popwright recovery 1\ncolour red\ntitle a\nchanged 7");
    ASSERT_TRUE(later);
    EXPECT_EQ(later->changedMs, 7);
}

TEST(RecoveryInfoText, RejectsWhatItDidNotWrite) {
    for (const char* bad :
         {"", "popwright recovery 2\nchanged 1\n", "popwright recovery 1\n", "popwright recovery 1\ntitle a\n",
          "popwright recovery 1\nchanged\n", "popwright recovery 1\nchanged -1\n", "popwright recovery 1\nchanged 1x\n",
          "popwright recovery 1\nchanged 99999999999999999999\n", "popwright recovery 1\nchanged 1\nchanged 2\n",
          "popwright recovery 1\nfile \nchanged 1\n", "popwright recovery 1\nfile a\\qb\nchanged 1\n",
          "popwright recovery 1\nfile a\\\nchanged 1\n", "popwright recovery 1\r\nchanged 1\r\n",
          "popwright recovery 1\nchanged 1\n\n", "popwright recovery 1\n changed 1\n"})
        EXPECT_FALSE(ParseRecoveryInfo(bad)) << bad;
    EXPECT_FALSE(ParseRecoveryInfo(std::string("popwright recovery 1\ntitle a\0b\nchanged 1\n", 41)));
    EXPECT_FALSE(ParseRecoveryInfo("popwright recovery 1\nchanged 1\ntitle " + std::string(70000, 'a') + "\n"));
}

TEST(RecoveryLockText, RoundTripsAndRejectsDamage) {
    const RecoveryLock lock{4242, 123456789012345ull, "221d9864-f940-4880-ae10-f71c6f62617a"};
    const std::string text = FormatRecoveryLock(lock);
    EXPECT_EQ(text, "popwright lock 1\npid 4242\nstarted 123456789012345\nboot 221d9864-f940-4880-ae10-f71c6f62617a\n");
    const auto back = ParseRecoveryLock(text);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->pid, 4242);
    EXPECT_EQ(back->startTicks, lock.startTicks);
    EXPECT_EQ(back->bootId, lock.bootId);
    // Without /proc the boot id is unknown, and stays so.
    const auto unknown = ParseRecoveryLock(FormatRecoveryLock({7, 0, ""}));
    ASSERT_TRUE(unknown);
    EXPECT_TRUE(unknown->bootId.empty());

    for (const char* bad :
         {"", "popwright lock 1\n", "popwright lock 1\npid 0\nstarted 1\nboot b\n",
          "popwright lock 1\npid 4294967296\nstarted 1\nboot b\n",
          "popwright lock 1\npid 1\nstarted 18446744073709551616\nboot b\n", "popwright lock 1\npid 1\nboot b\n",
          "popwright lock 1\npid 1\nstarted 1\n", "popwright lock 1\npid 1\nstarted 1\nboot a/b\n",
          "popwright lock 1\npid 1\npid 2\nstarted 1\nboot b\n", "popwright lock 2\npid 1\nstarted 1\nboot b\n",
          "popwright lock 1\npid +1\nstarted 1\nboot b\n"})
        EXPECT_FALSE(ParseRecoveryLock(bad)) << bad;
}

TEST(ProcStatText, FindsStateAndStartAfterAnyCommandName) {
    // A command name may hold blanks and parentheses.
    const std::string fields = " S 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 987654 20 21\n";
    for (const char* name : {"(popwright)", "(a b) c)", "()", "(x) S 1 2)"}) {
        const auto stat = ParseProcStat("77 " + std::string(name) + fields);
        ASSERT_TRUE(stat) << name;
        EXPECT_EQ(stat->state, 'S');
        EXPECT_EQ(stat->startTicks, 987654u);
    }
    EXPECT_FALSE(ParseProcStat("77 popwright S 1"));
    EXPECT_FALSE(ParseProcStat("77 (p) S 1 2 3"));
    EXPECT_FALSE(ParseProcStat("77 (p) SS 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 9 20"));
    EXPECT_FALSE(ParseProcStat("77 (p) S 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 9x 20"));
}

// A process that has ended and was reaped: its id is free.
long EndedProcessId() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    int status = 0;
    ::waitpid(child, &status, 0);
    return static_cast<long>(child);
}

TEST(LockOwner, OnlyTheVeryProcessThatWroteTheLockCountsAsRunning) {
    const RecoveryLock self = CurrentProcessLock();
    EXPECT_EQ(self.pid, static_cast<long>(::getpid()));
    ASSERT_NE(self.startTicks, 0u) << "this machine has /proc";
    ASSERT_FALSE(self.bootId.empty());
    EXPECT_TRUE(IsLockOwnerRunning(self));

    RecoveryLock reused = self;  // the same id, but a process that started at another moment
    reused.startTicks += 1;
    EXPECT_FALSE(IsLockOwnerRunning(reused));
    RecoveryLock rebooted = self;  // written before the machine was restarted
    rebooted.bootId = "00000000-0000-0000-0000-000000000000";
    EXPECT_FALSE(IsLockOwnerRunning(rebooted));
    RecoveryLock ended = self;
    ended.pid = EndedProcessId();
    EXPECT_FALSE(IsLockOwnerRunning(ended));
    // A lock without start and boot (written where /proc was missing) can
    // only be judged by its process id.
    EXPECT_TRUE(IsLockOwnerRunning({self.pid, 0, ""}));
    EXPECT_FALSE(IsLockOwnerRunning({ended.pid, 0, ""}));
    EXPECT_FALSE(IsLockOwnerRunning({0, 0, ""}));
}

TEST(LockOwner, ARunningProcessCountsUntilItEndsEvenBeforeItIsReaped) {
    // The child only waits for a byte and ends: nothing that could trip
    // over locks the parent's other threads held when it forked.
    int go[2];
    ASSERT_EQ(::pipe(go), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        char c;
        (void)!::read(go[0], &c, 1);
        ::_exit(0);
    }
    ::close(go[0]);
    std::ifstream statFile("/proc/" + std::to_string(child) + "/stat");
    std::string text((std::istreambuf_iterator<char>(statFile)), std::istreambuf_iterator<char>());
    const auto stat = ParseProcStat(text);
    ASSERT_TRUE(stat);
    const RecoveryLock lock{static_cast<long>(child), stat->startTicks, CurrentProcessLock().bootId};
    EXPECT_TRUE(IsLockOwnerRunning(lock));

    (void)!::write(go[1], "x", 1);
    ::close(go[1]);
    // Ended but not reaped: a zombie, which owns nothing any more.
    siginfo_t info{};
    ASSERT_EQ(::waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOWAIT), 0);
    EXPECT_FALSE(IsLockOwnerRunning(lock));
    ::waitpid(child, nullptr, 0);
    EXPECT_FALSE(IsLockOwnerRunning(lock));
}

TEST(RecoveryEntries, OnlyCopiesWithoutARunningOwnerAreOrphaned) {
    const auto running = [](const RecoveryLock& lock) { return lock.pid == 1; };
    const RecoveryLock alive{1, 5, "b"}, gone{2, 5, "b"};
    struct Case {
        RecoveryEntry entry;
        RecoveryEntryState state;
    };
    const Case cases[] = {
        {{"s", true, true, alive}, RecoveryEntryState::Owned},
        {{"s", false, true, alive}, RecoveryEntryState::Owned},  // a program without unsaved changes
        {{"s", true, true, gone}, RecoveryEntryState::Orphaned},
        {{"s", true, false, std::nullopt}, RecoveryEntryState::Orphaned},  // its program ended abnormally
        {{"s", true, true, std::nullopt}, RecoveryEntryState::Orphaned},   // a lock that cannot be read
        {{"s", false, true, gone}, RecoveryEntryState::Leftover},
        {{"s", false, false, std::nullopt}, RecoveryEntryState::Leftover},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClassifyRecoveryEntry(c.entry, running), c.state)
            << c.entry.hasCopy << c.entry.lockPresent << (c.entry.lock ? c.entry.lock->pid : 0);
}

// Runs the schedule against a stream of changes the way the program does:
// a timer fires when a copy is due, and a change that finds a copy overdue
// hands it over first. Returns when each copy was handed over.
std::vector<std::int64_t> Simulate(const std::vector<std::int64_t>& changes, std::int64_t end) {
    RecoverySchedule schedule;
    std::vector<std::int64_t> writes;
    std::size_t next = 0;
    for (std::int64_t now = 0; now <= end; ++now) {
        if (schedule.Pending() && now >= schedule.DueAt()) {
            schedule.NoteWritten(now);
            writes.push_back(now);
        }
        for (; next < changes.size() && changes[next] == now; ++next) schedule.NoteChange(now);
    }
    return writes;
}

TEST(RecoveryScheduleRule, EveryChangeIsCopiedWithinTwoSecondsAndCopiesAreASecondApart) {
    std::mt19937 rng(17);
    for (int run = 0; run < 200; ++run) {
        // Typing of every pace: bursts of quick keys, pauses of any length.
        std::vector<std::int64_t> changes;
        std::int64_t t = std::uniform_int_distribution<int>(0, 3000)(rng);
        const int count = std::uniform_int_distribution<int>(1, 300)(rng);
        const int pace = std::uniform_int_distribution<int>(1, 400)(rng);
        for (int i = 0; i < count; ++i) {
            changes.push_back(t);
            t += std::uniform_int_distribution<int>(1, pace)(rng);
            if (std::uniform_int_distribution<int>(0, 30)(rng) == 0)
                t += std::uniform_int_distribution<int>(0, 4000)(rng);
        }
        const std::vector<std::int64_t> writes = Simulate(changes, t + 5000);
        ASSERT_FALSE(writes.empty());
        for (std::size_t i = 1; i < writes.size(); ++i) ASSERT_GE(writes[i] - writes[i - 1], 1000) << "run " << run;
        for (std::int64_t change : changes) {
            const auto copy = std::upper_bound(writes.begin(), writes.end(), change);
            ASSERT_NE(copy, writes.end()) << "run " << run << ": a change never copied";
            ASSERT_LE(*copy - change, 2000) << "run " << run;
        }
        ASSERT_LE(writes.size(), changes.size());
    }
}

TEST(RecoveryScheduleRule, ACopyFollowsAPauseAndSteadyTypingEveryTwoSeconds) {
    // One key: copied half a second later.
    EXPECT_EQ(Simulate({100}, 5000), std::vector<std::int64_t>{600});
    // Keys every 100 ms for 10 s: a copy every two seconds.
    std::vector<std::int64_t> steady;
    for (std::int64_t t = 0; t < 10000; t += 100) steady.push_back(t);
    EXPECT_EQ(Simulate(steady, 15000), (std::vector<std::int64_t>{2000, 4000, 6000, 8000, 10000}));
    // A key right after a copy waits out the second between copies.
    EXPECT_EQ(Simulate({0, 600, 700}, 5000), (std::vector<std::int64_t>{500, 1500}));
    EXPECT_EQ(RecoverySchedule::DueAt(10'000, 10'100, 9'800), 10'800);
    EXPECT_EQ(RecoverySchedule::DueAt(10'000, 11'900, 9'000), 12'000);
}

// A fresh folder for the writer's files.
class RecoveryWriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/popwright-writer-XXXXXX";
        ASSERT_TRUE(::mkdtemp(pattern));
        root = pattern;
        paths = {root + "/data/recovery", root + "/data/recovery/c.kpf", root + "/data/recovery/c.info",
                 root + "/data/recovery/c.lock"};
    }
    void TearDown() override { (void)!std::system(("rm -rf '" + root + "'").c_str()); }

    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        if (!in) return "<missing>";
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }
    static bool Exists(const std::string& path) { return ::access(path.c_str(), F_OK) == 0; }

    std::string root;
    RecoveryPaths paths;
};

TEST_F(RecoveryWriterTest, WritesLockFirstThenTheNewestCopyAndRemovesInOrder) {
    std::vector<RecoveryWriteResult> results;
    std::mutex mutex;
    RecoveryWriter writer(paths, "LOCK\n");
    writer.SetResultHandler([&](const RecoveryWriteResult& r) {
        std::lock_guard<std::mutex> lock(mutex);
        results.push_back(r);
    });
    writer.WriteCopy(1, "card one", "info one");
    writer.Wait();
    EXPECT_EQ(Read(paths.lock), "LOCK\n");  // the folder was made, the lock written with the copy
    EXPECT_EQ(Read(paths.copy), "card one");
    EXPECT_EQ(Read(paths.info), "info one");
    struct stat st {};
    ASSERT_EQ(::stat(paths.folder.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);  // nobody else reads the user's unsaved cards

    // Copies queued behind each other: the last one wins, and a removal
    // after them is done after them.
    for (std::uint64_t serial = 2; serial < 50; ++serial)
        writer.WriteCopy(serial, "card " + std::to_string(serial), "i");
    writer.RemoveCopy();
    writer.Wait();
    EXPECT_FALSE(Exists(paths.copy));
    EXPECT_FALSE(Exists(paths.info));
    EXPECT_TRUE(Exists(paths.lock));
    {
        std::lock_guard<std::mutex> lock(mutex);
        ASSERT_GE(results.size(), 2u);
        EXPECT_EQ(results.front().serial, 1u);
        EXPECT_EQ(results.back().serial, 49u);
        for (const auto& r : results) EXPECT_TRUE(r.ok);
    }

    // The folder vanished: it is made again, lock and all.
    (void)!std::system(("rm -rf '" + root + "/data'").c_str());
    writer.WriteCopy(60, "card sixty", "i");
    writer.Wait();
    EXPECT_EQ(Read(paths.copy), "card sixty");
    EXPECT_EQ(Read(paths.lock), "LOCK\n");

    writer.RemoveLock();  // a window that went without a normal end
    writer.Wait();
    EXPECT_TRUE(Exists(paths.copy));
    EXPECT_FALSE(Exists(paths.lock));
    writer.RemoveAll();
    writer.Wait();
    EXPECT_FALSE(Exists(paths.copy));
    EXPECT_FALSE(Exists(paths.info));
}

TEST_F(RecoveryWriterTest, AFolderThatCannotBeMadeFailsAndLeavesTheOldCopyWhole) {
    std::atomic<int> failures{0};
    {
        RecoveryWriter writer(paths, "LOCK\n");
        writer.WriteCopy(1, "old card", "old info");
        writer.Wait();
        writer.SetResultHandler([&](const RecoveryWriteResult& r) { failures += r.ok ? 0 : 1; });
        // The folder becomes a file: neither folder nor files can be written.
        (void)!std::system(("rm -rf '" + paths.folder + "' && touch '" + paths.folder + "'").c_str());
        writer.WriteLock();
        writer.WriteCopy(2, "new card", "new info");
        writer.Wait();
        EXPECT_EQ(failures.load(), 2);
    }
    EXPECT_FALSE(MakeFolders(paths.folder + "/below"));
    EXPECT_TRUE(MakeFolders(root + "/a/b/c"));
    EXPECT_TRUE(MakeFolders(root + "/a/b/c"));
}

TEST_F(RecoveryWriterTest, TheEndWaitsForQueuedJobs) {
    {
        RecoveryWriter writer(paths, "LOCK\n");
        writer.WriteCopy(1, "card", "info");
        writer.RemoveLock();
    }  // no Wait: the destructor finishes the jobs
    EXPECT_EQ(Read(paths.copy), "card");
    EXPECT_FALSE(Exists(paths.lock));
}

}  // namespace
}  // namespace pw
