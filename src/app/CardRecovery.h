#pragma once
#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/RecoveryFiles.h"
#include "app/RecoverySchedule.h"
#include "edit/CommandStack.h"

namespace pw {

class CKirikoDoc;
class RecoveryWriter;
struct RecoveryWriteResult;

// A card that a program which is no longer running left in the recovery folder.
struct RecoverableCard {
    QString stem;
    QString copyPath;
    QString cardPath;   // the card's own file; empty when it had none
    QString title;      // the title the card had in its window
    QDateTime changed;  // when the card last changed

    // How the offer names it: the file name ("tree.kpf"), or the title of a
    // card without a file.
    QString Name() const;
    // The title the card gets when recovered: "tree.kpf (recovered)".
    QString RecoveredTitle() const;
};

// Keeps a recovery copy of the document's card while it has unsaved
// changes, so that a crash, a killed session or a power cut costs at most
// the last two seconds of work. The copy goes into the recovery folder in the
// file format of its kind, written whole on a thread of its own (see
// RecoverySchedule for when). When the card has no unsaved changes any more
// (saved, or replaced after the user discarded its changes) the copy is
// removed, and so is everything at a normal end. The card's own file is
// never written here.
//
// It also finds the copies that programs which are no longer running left
// behind, and recovers or discards them.
class CardRecovery : public QObject {
    Q_OBJECT
public:
    // Milliseconds on a steady clock; tests pass their own.
    using Clock = std::function<qint64()>;

    CardRecovery(CKirikoDoc& doc, const QString& folder, Clock clock = Clock(), QObject* parent = nullptr);
    // Not at a normal end (see EndNormally): the unsaved changes stay in the
    // folder, their lock removed, for the next start to offer.
    ~CardRecovery() override;

    // "recovery" in the per-user data folder.
    static QString DefaultFolder();

    // Writes this program's lock, so that a folder that cannot be written is
    // reported at once rather than after the first edit.
    void Start();
    // The program ends normally: the copy, its info and the lock go.
    void EndNormally();

    const QString& Folder() const { return folder_; }
    QString CopyPath() const;
    QString InfoPath() const;
    QString LockPath() const;

    // A copy is due and waits for its time.
    bool HasPendingWrite() const { return schedule_.Pending(); }
    // When it is due, on the clock; valid while HasPendingWrite().
    qint64 PendingWriteDue() const { return schedule_.DueAt(); }
    // Hands the waiting copy over at once and waits until every write is
    // done (the end of a test's burst; before a copy is taken over).
    void WritePendingNow();
    // Waits until the writer has done everything handed to it so far, and
    // reports its results.
    void WaitForWriter();

    // The copies whose programs are gone, newest first. Tidies away what
    // such programs left without a copy, and copies that hold nothing the
    // card's own file does not.
    std::vector<RecoverableCard> FindOrphanedCards();

    enum class RecoverResult { Recovered, Unreadable, Gone };
    // Opens the copy as the document's card, of the kind it was: without a
    // file, changed, titled RecoveredTitle(). The copy becomes this
    // program's own; a copy that another program took first is Gone. The document's present card is
    // replaced without a question: ask before.
    RecoverResult RecoverCard(const RecoverableCard& card);
    // Deletes the copy and its files.
    void DiscardCard(const RecoverableCard& card);

public slots:
    // The timer's work: writes the copy when it is due.
    void WriteIfDue();

signals:
    // Once, when copies cannot be written (again after they could).
    void cannotKeepCopies(const QString& message);
    // For the record of tests that watch the program from outside: a change
    // noted, a copy handed to the writer, a copy written, the copy removed,
    // all with the times of the clock.
    void changeNoted(qint64 when);
    void copyQueued(quint64 serial, qint64 when);
    void copyWritten(quint64 serial);
    void copyRemoved(quint64 lastSerial);

private:
    void OnCardChange(CardChange change);
    void OnModifiedChanged(bool modified);
    void NoteChange();
    void QueueCopy(qint64 now);
    void ArmTimer(qint64 now);
    void DropCopy();
    void OnWriteResult(const RecoveryWriteResult& result);
    void RemoveFilesOf(const QString& stem, bool keepYoungTemporaries);

    CKirikoDoc& doc_;
    QString folder_;
    Clock clock_;
    std::string stem_;
    std::unique_ptr<RecoveryWriter> writer_;
    QTimer timer_;
    RecoverySchedule schedule_;
    int listener_ = 0;
    bool modified_ = false;
    bool haveCopy_ = false;  // a copy was handed over and not removed since
    bool failing_ = false;   // the last write failed and was reported
    bool ended_ = false;
    quint64 serial_ = 0;
    qint64 lastChangeMs_ = 0;  // wall clock, for the info
};

}  // namespace pw
