#include "app/CardRecovery.h"

#include <cstdio>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <chrono>
#include <map>
#include <optional>
#include <random>
#include <sstream>
#include <utility>

#include "app/KirikoDoc.h"
#include "app/ProcessIdentity.h"
#include "app/RecoveryTexts.h"
#include "app/RecoveryWriter.h"
#include "app/ShownTexts.h"
#include "document/RecoveryCopy.h"
#include "edit/EditedCard.h"
#include "model/Messages.h"

namespace pw {

namespace {

// Info and lock texts are a few lines; a longer file is not one of ours.
constexpr qint64 kMaxSmallFile = 64 * 1024;
// A temporary file this young may belong to a program that is writing its
// first lock right now.
constexpr qint64 kTemporaryGraceSeconds = 60;

qint64 SteadyMilliseconds() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::string Local(const QString& path) { return QFile::encodeName(path).toStdString(); }

std::uint64_t RandomNumber() {
    std::random_device device;
    return (static_cast<std::uint64_t>(device()) << 32) ^ device();
}

std::optional<QByteArray> ReadSmallFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    QByteArray bytes = file.read(kMaxSmallFile + 1);
    if (bytes.size() > kMaxSmallFile) return std::nullopt;
    return bytes;
}

std::string_view View(const QByteArray& bytes) {
    return std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// Whether the card file at `path` holds exactly the copy's card.
bool SameFileContents(const QString& path, const QString& copyPath) {
    QFile a(path), b(copyPath);
    if (!a.open(QIODevice::ReadOnly) || !b.open(QIODevice::ReadOnly)) return false;
    if (a.size() != b.size()) return false;
    return a.readAll() == b.readAll();
}

}  // namespace

QString RecoverableCard::Name() const {
    if (!cardPath.isEmpty()) return QFileInfo(cardPath).fileName();
    return title.isEmpty() ? ShownMessage(msg::kUntitled) : title;
}

QString RecoverableCard::RecoveredTitle() const {
    const QString pattern = ShownMessage(msg::kRecoveredTitle);
    const QString name = Name();
    // A recovered card that was lost again keeps its one suffix.
    if (cardPath.isEmpty() && name.endsWith(pattern.arg(QString()))) return name;
    return pattern.arg(name);
}

CardRecovery::CardRecovery(CKirikoDoc& doc, const QString& folder, Clock clock, QObject* parent)
    : QObject(parent),
      doc_(doc),
      folder_(QDir::cleanPath(folder)),
      clock_(clock ? std::move(clock) : SteadyMilliseconds) {
    const RecoveryLock self = CurrentProcessLock();
    stem_ = MakeRecoveryStem(self.pid, RandomNumber());
    writer_ = std::make_unique<RecoveryWriter>(
        RecoveryPaths{Local(folder_), Local(CopyPath()), Local(InfoPath()), Local(LockPath())},
        FormatRecoveryLock(self));
    // Results come on the writer's thread and are handled on this one.
    writer_->SetResultHandler([this](const RecoveryWriteResult& result) {
        QMetaObject::invokeMethod(
            this, [this, result] { OnWriteResult(result); }, Qt::QueuedConnection);
    });

    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &CardRecovery::WriteIfDue);

    modified_ = doc_.IsModified();
    // The document's own listener came first, so its modified state is
    // already up to date when this one hears of an edit.
    listener_ = doc_.Card().history.AddListener([this](CardChange change) { OnCardChange(change); });
    connect(&doc_, &CKirikoDoc::modifiedChanged, this, &CardRecovery::OnModifiedChanged);
}

CardRecovery::~CardRecovery() {
    doc_.Card().history.RemoveListener(listener_);
    if (!ended_) {
        if (schedule_.Pending()) QueueCopy(clock_());
        if (haveCopy_)
            writer_->RemoveLock();
        else
            writer_->RemoveAll();
    }
    writer_->SetResultHandler(nullptr);
    writer_.reset();  // does what is still queued
}

QString CardRecovery::DefaultFolder() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return data.isEmpty() ? QString() : data + QStringLiteral("/recovery");
}

QString CardRecovery::CopyPath() const {
    return folder_ + QLatin1Char('/') + QString::fromStdString(RecoveryCopyName(stem_));
}
QString CardRecovery::InfoPath() const {
    return folder_ + QLatin1Char('/') + QString::fromStdString(RecoveryInfoName(stem_));
}
QString CardRecovery::LockPath() const {
    return folder_ + QLatin1Char('/') + QString::fromStdString(RecoveryLockName(stem_));
}

void CardRecovery::Start() {
    if (!ended_) writer_->WriteLock();
}

void CardRecovery::EndNormally() {
    if (ended_) return;
    ended_ = true;
    schedule_.Clear();
    timer_.stop();
    writer_->RemoveAll();
    haveCopy_ = false;
}

void CardRecovery::OnCardChange(CardChange change) {
    // A card read or made anew is unchanged, and the document says so right
    // after (a changed card before it had its copy removed then); a
    // recovered card is copied by RecoverCard.
    if (ended_ || change == CardChange::Replaced) return;
    if (modified_) NoteChange();
}

void CardRecovery::OnModifiedChanged(bool modified) {
    modified_ = modified;
    if (ended_) return;
    if (modified)
        NoteChange();
    else
        DropCopy();
}

void CardRecovery::NoteChange() {
    const qint64 now = clock_();
    lastChangeMs_ = QDateTime::currentMSecsSinceEpoch();
    // When the event loop is too busy to run the timer in time, a copy that
    // is due goes out before the change is noted; it holds the change too.
    if (schedule_.Pending() && now >= schedule_.DueAt()) {
        QueueCopy(now);
        emit changeNoted(now);
        return;
    }
    schedule_.NoteChange(now);
    emit changeNoted(now);
    ArmTimer(now);
}

void CardRecovery::ArmTimer(qint64 now) {
    const qint64 wait = std::max<qint64>(0, schedule_.DueAt() - now);
    timer_.start(static_cast<int>(std::min<qint64>(wait, RecoverySchedule::kMaxDelayMs)));
}

void CardRecovery::WriteIfDue() {
    if (ended_ || !schedule_.Pending()) return;
    const qint64 now = clock_();
    if (now < schedule_.DueAt()) {
        ArmTimer(now);
        return;
    }
    QueueCopy(now);
}

void CardRecovery::QueueCopy(qint64 now) {
    // Only the text is made here (80 microseconds for an 80 by 40 card); the
    // writer thread puts it on the disk.
    const std::string card = doc_.Document().RecoveryText();
    RecoveryInfo info;
    info.cardPath = Local(doc_.currentCardPath());
    info.title = doc_.Title().toStdString();
    info.changedMs = lastChangeMs_;
    ++serial_;
    writer_->WriteCopy(serial_, card, FormatRecoveryInfo(info));
    schedule_.NoteWritten(now);
    timer_.stop();
    haveCopy_ = true;
    emit copyQueued(serial_, now);
}

void CardRecovery::DropCopy() {
    schedule_.Clear();
    timer_.stop();
    if (!haveCopy_) return;
    writer_->RemoveCopy();
    haveCopy_ = false;
    emit copyRemoved(serial_);
}

void CardRecovery::WritePendingNow() {
    if (!ended_ && schedule_.Pending()) QueueCopy(clock_());
    WaitForWriter();
}

void CardRecovery::WaitForWriter() {
    writer_->Wait();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void CardRecovery::OnWriteResult(const RecoveryWriteResult& result) {
    if (result.ok) {
        failing_ = false;
        if (result.job == RecoveryWriteResult::Job::Copy) emit copyWritten(result.serial);
        return;
    }
    if (failing_) return;
    failing_ = true;
    QString shown = folder_;
    const QString home = QDir::homePath();
    if (shown.startsWith(home + QLatin1Char('/'))) shown = QLatin1Char('~') + shown.mid(home.size());
    emit cannotKeepCopies(ShownMessage(msg::kCannotKeepCopies).arg(QDir::toNativeSeparators(shown)));
}

std::vector<RecoverableCard> CardRecovery::FindOrphanedCards() {
    struct Found {
        RecoveryEntry entry;
        std::optional<QByteArray> info;
    };
    // Without a data folder there is nothing to look at (and QDir("") would
    // be the current folder).
    if (folder_.isEmpty()) return {};
    std::map<std::string, Found> found;
    const QDir dir(folder_);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        const auto parsed = ParseRecoveryFileName(Local(name));
        if (!parsed || parsed->stem == stem_) continue;
        Found& f = found[parsed->stem];
        f.entry.stem = parsed->stem;
        const QString path = dir.filePath(name);
        switch (parsed->kind) {
            case RecoveryFileKind::Copy: f.entry.hasCopy = true; break;
            case RecoveryFileKind::Lock:
                f.entry.lockPresent = true;
                if (const auto text = ReadSmallFile(path)) f.entry.lock = ParseRecoveryLock(View(*text));
                break;
            case RecoveryFileKind::Info: f.info = ReadSmallFile(path); break;
            case RecoveryFileKind::Temporary: break;
        }
    }

    std::vector<RecoverableCard> cards;
    for (const auto& item : found) {
        const Found& f = item.second;
        const QString stem = QString::fromStdString(f.entry.stem);
        switch (ClassifyRecoveryEntry(f.entry, IsLockOwnerRunning)) {
            case RecoveryEntryState::Owned: continue;
            case RecoveryEntryState::Leftover: RemoveFilesOf(stem, true); continue;
            case RecoveryEntryState::Orphaned: break;
        }
        RecoverableCard card;
        card.stem = stem;
        card.copyPath = dir.filePath(QString::fromStdString(RecoveryCopyName(f.entry.stem)));
        const std::optional<RecoveryInfo> info = f.info ? ParseRecoveryInfo(View(*f.info)) : std::nullopt;
        if (info) {
            card.cardPath = QFile::decodeName(QByteArray::fromStdString(info->cardPath));
            card.title = QString::fromStdString(info->title);
            card.changed = QDateTime::fromMSecsSinceEpoch(info->changedMs);
        } else {
            // Lost before its info was written: the copy itself says when.
            card.changed = QFileInfo(card.copyPath).lastModified();
        }
        // Saved after its last copy was written: nothing is lost.
        if (!card.cardPath.isEmpty() && SameFileContents(card.cardPath, card.copyPath)) {
            RemoveFilesOf(stem, false);
            continue;
        }
        cards.push_back(card);
    }
    std::sort(cards.begin(), cards.end(),
              [](const RecoverableCard& a, const RecoverableCard& b) { return a.changed > b.changed; });
    return cards;
}

CardRecovery::RecoverResult CardRecovery::RecoverCard(const RecoverableCard& card) {
    if (!QFileInfo::exists(card.copyPath)) return RecoverResult::Gone;
    RecoveryCopy copy;
    if (!ReadRecoveryCopy(Local(card.copyPath), copy)) return RecoverResult::Unreadable;
    // The copy is taken over by renaming it into this program's own place,
    // which only one program can do. It replaces the copy of the present
    // card, which is being replaced; that copy stays if the rename fails.
    writer_->Wait();
    if (std::rename(Local(card.copyPath).c_str(), Local(CopyPath()).c_str()) != 0) return RecoverResult::Gone;
    schedule_.Clear();
    timer_.stop();
    haveCopy_ = true;
    RemoveFilesOf(card.stem, false);
    doc_.OpenRecoveredCard(std::move(copy), card.RecoveredTitle());
    // Its info follows at once, under this program's lock.
    QueueCopy(clock_());
    WaitForWriter();
    return RecoverResult::Recovered;
}

void CardRecovery::DiscardCard(const RecoverableCard& card) { RemoveFilesOf(card.stem, false); }

void CardRecovery::RemoveFilesOf(const QString& stem, bool keepYoungTemporaries) {
    const std::string wanted = Local(stem);
    if (wanted == stem_ || folder_.isEmpty()) return;
    QDir dir(folder_);
    const QDateTime graceStart = QDateTime::currentDateTime().addSecs(-kTemporaryGraceSeconds);
    // The copy first and the lock last, as the owner would.
    std::vector<std::pair<int, QString>> files;
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        const auto parsed = ParseRecoveryFileName(Local(name));
        if (!parsed || parsed->stem != wanted) continue;
        if (parsed->kind == RecoveryFileKind::Temporary && keepYoungTemporaries &&
            QFileInfo(dir.filePath(name)).lastModified() > graceStart)
            continue;
        const int order = parsed->kind == RecoveryFileKind::Copy ? 0 : parsed->kind == RecoveryFileKind::Lock ? 2 : 1;
        files.emplace_back(order, dir.filePath(name));
    }
    std::sort(files.begin(), files.end());
    for (const auto& file : files) QFile::remove(file.second);
}

}  // namespace pw
