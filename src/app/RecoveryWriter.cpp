#include "app/RecoveryWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "document/CardFileAccess.h"

namespace pw {

namespace {

bool IsFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The new names in the folder reach the disk too, not only the files' bytes.
void SyncFolder(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

bool MakeFolders(const std::string& path) {
    if (path.empty()) return false;
    if (IsFolder(path)) return true;
    for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string part = path.substr(0, slash);
        if (!part.empty() && ::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
        if (slash == std::string::npos) break;
    }
    return IsFolder(path);
}

RecoveryWriter::RecoveryWriter(RecoveryPaths paths, std::string lockText)
    : paths_(std::move(paths)), lockText_(std::move(lockText)), thread_([this] { Run(); }) {}

RecoveryWriter::~RecoveryWriter() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void RecoveryWriter::SetResultHandler(ResultHandler handler) {
    std::lock_guard<std::mutex> lock(handlerMutex_);
    handler_ = std::move(handler);
}

void RecoveryWriter::WriteLock() { Push(Job{Kind::Lock, 0, {}, {}}); }

void RecoveryWriter::WriteCopy(std::uint64_t serial, std::string cardText, std::string infoText) {
    Push(Job{Kind::Copy, serial, std::move(cardText), std::move(infoText)});
}

void RecoveryWriter::RemoveCopy() { Push(Job{Kind::RemoveCopy, 0, {}, {}}); }
void RecoveryWriter::RemoveAll() { Push(Job{Kind::RemoveAll, 0, {}, {}}); }
void RecoveryWriter::RemoveLock() { Push(Job{Kind::RemoveLock, 0, {}, {}}); }

void RecoveryWriter::Push(Job job) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        // A copy nobody has started on yet is outdated by a newer one.
        if (job.kind == Kind::Copy && !jobs_.empty() && jobs_.back().kind == Kind::Copy)
            jobs_.back() = std::move(job);
        else
            jobs_.push_back(std::move(job));
    }
    wake_.notify_one();
}

void RecoveryWriter::Wait() {
    std::unique_lock<std::mutex> lock(mutex_);
    idle_.wait(lock, [this] { return jobs_.empty() && !busy_; });
}

void RecoveryWriter::Run() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
        if (jobs_.empty()) break;  // stopping, and nothing left to do
        const Job job = std::move(jobs_.front());
        jobs_.pop_front();
        busy_ = true;
        lock.unlock();
        Do(job);
        lock.lock();
        busy_ = false;
        if (jobs_.empty()) idle_.notify_all();
    }
    idle_.notify_all();
}

void RecoveryWriter::Do(const Job& job) {
    switch (job.kind) {
        case Kind::Lock: {
            const bool ok = MakeFolders(paths_.folder) && WriteFileWhole(paths_.lock, lockText_);
            if (ok) SyncFolder(paths_.folder);
            Report({RecoveryWriteResult::Job::Lock, 0, ok});
            break;
        }
        case Kind::Copy: {
            bool ok = MakeFolders(paths_.folder);
            if (ok && ::access(paths_.lock.c_str(), F_OK) != 0) ok = WriteFileWhole(paths_.lock, lockText_);
            ok = ok && WriteFileWhole(paths_.copy, job.card) && WriteFileWhole(paths_.info, job.info);
            if (ok) SyncFolder(paths_.folder);
            Report({RecoveryWriteResult::Job::Copy, job.serial, ok});
            break;
        }
        case Kind::RemoveCopy:
            ::unlink(paths_.copy.c_str());
            ::unlink(paths_.info.c_str());
            break;
        case Kind::RemoveAll:
            // The lock goes last: a copy is never seen without its owner.
            ::unlink(paths_.copy.c_str());
            ::unlink(paths_.info.c_str());
            ::unlink(paths_.lock.c_str());
            break;
        case Kind::RemoveLock: ::unlink(paths_.lock.c_str()); break;
    }
}

void RecoveryWriter::Report(const RecoveryWriteResult& result) {
    std::lock_guard<std::mutex> lock(handlerMutex_);
    if (handler_) handler_(result);
}

}  // namespace pw
