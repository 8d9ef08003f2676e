#pragma once
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace pw {

// Where one program's recovery files go (full paths).
struct RecoveryPaths {
    std::string folder;
    std::string copy;
    std::string info;
    std::string lock;
};

// How a write went.
struct RecoveryWriteResult {
    enum class Job { Lock, Copy };
    Job job = Job::Copy;
    std::uint64_t serial = 0;  // the copy's number, as handed to WriteCopy
    bool ok = false;
};

// Writes and removes one program's recovery files on a thread of its own,
// so that the window never waits for the disk (a synced write can take tens
// of milliseconds). Jobs run in the order they were handed over; a copy
// that is still waiting when a newer one arrives is dropped, since only the
// newest matters. Every file is replaced whole (temporary file, sync,
// rename), the folder is created when missing (again, if it vanished), and
// the lock is written before the first copy, so that no copy is ever without
// its owner's lock.
class RecoveryWriter {
public:
    using ResultHandler = std::function<void(const RecoveryWriteResult&)>;

    RecoveryWriter(RecoveryPaths paths, std::string lockText);
    // Does the jobs still queued, then ends the thread.
    ~RecoveryWriter();
    RecoveryWriter(const RecoveryWriter&) = delete;
    RecoveryWriter& operator=(const RecoveryWriter&) = delete;

    // Called on the writer's thread after each lock and copy write. Setting
    // another handler waits until a running call of the old one returns.
    void SetResultHandler(ResultHandler handler);

    void WriteLock();
    void WriteCopy(std::uint64_t serial, std::string cardText, std::string infoText);
    // The copy and its info; the lock stays while the program runs.
    void RemoveCopy();
    // The copy, its info and the lock: the program ends normally.
    void RemoveAll();
    // Only the lock: the copy stays for the next start to offer.
    void RemoveLock();
    // Blocks until every job handed over so far is done.
    void Wait();

    const RecoveryPaths& Paths() const { return paths_; }

private:
    enum class Kind { Lock, Copy, RemoveCopy, RemoveAll, RemoveLock };
    struct Job {
        Kind kind = Kind::Lock;
        std::uint64_t serial = 0;
        std::string card;
        std::string info;
    };

    void Push(Job job);
    void Run();
    void Do(const Job& job);
    void Report(const RecoveryWriteResult& result);

    const RecoveryPaths paths_;
    const std::string lockText_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<Job> jobs_;
    bool busy_ = false;
    bool stopping_ = false;
    std::mutex handlerMutex_;
    ResultHandler handler_;
    std::thread thread_;  // last: starts once everything above exists
};

// Creates the folder and any missing parents (mode 0700 for new ones).
bool MakeFolders(const std::string& path);

}  // namespace pw
