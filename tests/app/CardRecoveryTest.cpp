// Recovery copies with the document: when copies are written and removed,
// that they read back as the card of its kind, that the card's own file is never
// written, who may take a copy, the offer at start, and a full disk and a
// data folder that cannot be written.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <random>
#include <sstream>

#include "app/CardRecovery.h"
#include "app/CommandTable.h"
#include "app/KirikoApp.h"
#include "app/KirikoDoc.h"
#include "app/MainFrame.h"
#include "app/ProcessIdentity.h"
#include "app/QtSettingsStore.h"
#include "app/RecoverDialog.h"
#include "app/RecoveryFiles.h"
#include "edit/EditedCard.h"
#include "model/AppSettings.h"
#include "model/CardFile.h"
#include "model/freeform/FreeformFile.h"
#include "support/CardBuilder.h"
#include "support/FileSizeLimit.h"
#include "support/RecordingPrompts.h"

namespace pw {
namespace {

QByteArray CardText(const CellGrid& grid) {
    std::ostringstream out;
    WriteCard(out, grid);
    return QByteArray::fromStdString(out.str());
}

QByteArray Contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Raises the cell above the top of column x at depth 1, as an edit does.
void Raise(EditedCard& card, int x) {
    const int z = card.grid.HeightAt(x, 1) + 1;
    UndoStep step;
    step.lines.push_back(SaveLine(card.grid, x, z));
    card.grid.SetSolid(x, 1, z, true);
    card.grid.MarkColumnsDirty(x, 2);
    card.grid.gridChanged = true;
    card.history.PushStep(std::move(step));
}

// The id of a process that has ended and was reaped.
long EndedProcessId() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return static_cast<long>(child);
}

// Files a program left behind: a copy of `grid`, its info and a lock of
// the process `owner`.
QString PlantCopy(const QString& folder, const CellGrid& grid, const QString& cardPath, const QString& title,
                  qint64 changedMs, const RecoveryLock& owner) {
    static std::mt19937_64 random(99);
    QDir().mkpath(folder);
    const std::string stem = MakeRecoveryStem(owner.pid, random());
    const QString base = folder + "/" + QString::fromStdString(stem);
    WriteFile(base + ".kpf", CardText(grid));
    WriteFile(base + ".info", QByteArray::fromStdString(FormatRecoveryInfo(
                                  {QFile::encodeName(cardPath).toStdString(), title.toStdString(), changedMs})));
    WriteFile(base + ".lock", QByteArray::fromStdString(FormatRecoveryLock(owner)));
    return base + ".kpf";
}

RecoveryLock EndedOwner() {
    RecoveryLock lock = CurrentProcessLock();
    lock.pid = EndedProcessId();
    return lock;
}

QStringList FilesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

class CardRecoveryTest : public ::testing::Test {
protected:
    CardRecoveryTest() : doc(settings, prompts), card(doc.Card()), folder(dir.filePath("data/recovery")) {
        card.NewCard(settings.newCard.width + 2, settings.newCard.height + 1);
        doc.MarkUnmodified();
    }

    std::unique_ptr<CardRecovery> MakeRecovery(CKirikoDoc& forDoc) {
        return std::make_unique<CardRecovery>(forDoc, folder, [this] { return now; });
    }

    QString Path(const char* name) const { return dir.filePath(QLatin1String(name)); }

    QTemporaryDir dir;
    AppSettings settings;
    test::RecordingPrompts prompts;
    CKirikoDoc doc;
    EditedCard& card;
    QString folder;
    qint64 now = 100'000;
};

TEST_F(CardRecoveryTest, AChangedCardIsCopiedAndTheCopyReadsBackAsTheCard) {
    auto recovery = MakeRecovery(doc);
    recovery->Start();
    recovery->WaitForWriter();
    EXPECT_EQ(FilesIn(folder), QStringList{QFileInfo(recovery->LockPath()).fileName()});
    EXPECT_FALSE(recovery->HasPendingWrite());  // nothing changed yet

    QSignalSpy written(recovery.get(), &CardRecovery::copyWritten);
    const qint64 before = QDateTime::currentMSecsSinceEpoch();
    Raise(card, 3);
    Raise(card, 3);
    ASSERT_TRUE(recovery->HasPendingWrite());
    recovery->WritePendingNow();
    EXPECT_EQ(written.count(), 1);

    CellGrid copy;
    ASSERT_TRUE(ReadCard(QFile::encodeName(recovery->CopyPath()).toStdString(), copy));
    EXPECT_TRUE(copy.SameShape(card.grid));
    const auto info = ParseRecoveryInfo(Contents(recovery->InfoPath()).toStdString());
    ASSERT_TRUE(info);
    EXPECT_TRUE(info->cardPath.empty());
    EXPECT_EQ(info->title, "Kiriko");
    EXPECT_GE(info->changedMs, before);
    EXPECT_LE(info->changedMs, QDateTime::currentMSecsSinceEpoch());
    const auto lock = ParseRecoveryLock(Contents(recovery->LockPath()).toStdString());
    ASSERT_TRUE(lock);
    EXPECT_EQ(lock->pid, static_cast<long>(::getpid()));
    EXPECT_TRUE(IsLockOwnerRunning(*lock));
    EXPECT_EQ(QFileInfo(folder).permissions() & (QFile::ReadOther | QFile::ReadGroup), QFileDevice::Permissions());

    // Undo is a change too.
    card.history.UndoLastStep(card.grid);
    recovery->WritePendingNow();
    ASSERT_TRUE(ReadCard(QFile::encodeName(recovery->CopyPath()).toStdString(), copy));
    EXPECT_TRUE(copy.SameShape(card.grid));
}

TEST_F(CardRecoveryTest, CopiesAreHandedOverOnTheScheduleOfTheClock) {
    std::vector<qint64> queued;  // outlives the recovery, which may still hand a copy over
    auto recovery = MakeRecovery(doc);
    QObject::connect(recovery.get(), &CardRecovery::copyQueued, [&](quint64, qint64 when) { queued.push_back(when); });

    // One edit: due half a second later; the timer waits that long.
    Raise(card, 2);
    ASSERT_TRUE(recovery->HasPendingWrite());
    EXPECT_EQ(recovery->PendingWriteDue(), now + 500);
    recovery->WriteIfDue();  // too early: nothing happens
    EXPECT_TRUE(queued.empty());
    now += 500;
    recovery->WriteIfDue();
    EXPECT_EQ(queued, std::vector<qint64>{now});

    // Edits every 100 ms for eight seconds, the timer firing whenever a copy
    // is due: a copy at least every two seconds, never two within a second.
    queued.clear();
    std::vector<qint64> changes;
    for (int i = 0; i < 80; ++i) {
        now += 100;
        Raise(card, 2 + i % 14);
        changes.push_back(now);
        if (recovery->HasPendingWrite() && now >= recovery->PendingWriteDue()) recovery->WriteIfDue();
    }
    ASSERT_GE(queued.size(), 3u);
    for (std::size_t i = 1; i < queued.size(); ++i) EXPECT_GE(queued[i] - queued[i - 1], 1000);
    for (qint64 change : changes) {
        if (change > queued.back()) continue;
        const auto copy = std::lower_bound(queued.begin(), queued.end(), change);
        EXPECT_LE(*copy - change, 2000);
    }

    // An event loop too busy for the timer: the next edit hands over the
    // overdue copy, with that edit in it.
    recovery->WritePendingNow();
    queued.clear();
    now += 5000;
    Raise(card, 4);
    now += 2100;
    Raise(card, 5);
    ASSERT_EQ(queued, std::vector<qint64>{now});
    EXPECT_FALSE(recovery->HasPendingWrite());
    recovery->WaitForWriter();
    EXPECT_EQ(Contents(recovery->CopyPath()), CardText(card.grid));
}

TEST_F(CardRecoveryTest, TheTimerWritesTheCopyWithoutAnyHelp) {
    CardRecovery recovery(doc, folder);  // the steady clock
    QSignalSpy written(&recovery, &CardRecovery::copyWritten);
    Raise(card, 2);
    ASSERT_TRUE(recovery.HasPendingWrite());
    EXPECT_TRUE(written.wait(30'000));
    EXPECT_FALSE(recovery.HasPendingWrite());
    EXPECT_EQ(Contents(recovery.CopyPath()), CardText(card.grid));
}

TEST_F(CardRecoveryTest, SavingReplacingOrUndoingToTheSavedCardRemovesTheCopy) {
    auto recovery = MakeRecovery(doc);
    recovery->Start();
    auto copyExists = [&] {
        recovery->WritePendingNow();
        return QFile::exists(recovery->CopyPath());
    };
    Raise(card, 2);
    ASSERT_TRUE(copyExists());
    prompts.saveNames = {Path("a.kpf")};
    doc.OnFileSaveAs();
    EXPECT_FALSE(copyExists());
    EXPECT_FALSE(QFile::exists(recovery->InfoPath()));
    EXPECT_TRUE(QFile::exists(recovery->LockPath()));  // the program still runs

    Raise(card, 2);
    ASSERT_TRUE(copyExists());
    const auto info = ParseRecoveryInfo(Contents(recovery->InfoPath()).toStdString());
    ASSERT_TRUE(info);
    EXPECT_EQ(QFile::decodeName(QByteArray::fromStdString(info->cardPath)), Path("a.kpf"));
    EXPECT_EQ(info->title, "a");
    card.history.UndoLastStep(card.grid);  // back to the saved card
    EXPECT_FALSE(copyExists());
    card.history.RedoLastStep(card.grid);
    ASSERT_TRUE(copyExists());
    doc.OnFileSave();
    EXPECT_FALSE(copyExists());

    Raise(card, 3);
    ASSERT_TRUE(copyExists());
    prompts.answers = {SaveChangesAnswer::Discard};
    doc.OnFileNew();
    EXPECT_FALSE(copyExists());

    Raise(card, 3);
    ASSERT_TRUE(copyExists());
    prompts.answers = {SaveChangesAnswer::Discard};
    prompts.openNames = {Path("a.kpf")};
    doc.OnFileOpen();
    EXPECT_FALSE(copyExists());

    // Replacing an unchanged card by another unchanged one starts no copy.
    doc.OnFileNew();
    EXPECT_FALSE(recovery->HasPendingWrite());
    ASSERT_TRUE(doc.OpenCardFile(Path("a.kpf")));
    EXPECT_FALSE(recovery->HasPendingWrite());
    EXPECT_FALSE(copyExists());
}

TEST_F(CardRecoveryTest, TheCardsOwnFileIsNeverWritten) {
    CellGrid tree;
    tree.NewCard(14, 8);
    test::AddBox(tree, 3, 2, 4);
    const QByteArray saved = CardText(tree);
    WriteFile(Path("tree.kpf"), saved);
    const QDateTime stamp = QFileInfo(Path("tree.kpf")).lastModified();
    ASSERT_TRUE(doc.OpenCardFile(Path("tree.kpf")));
    auto recovery = MakeRecovery(doc);
    for (int i = 0; i < 20; ++i) {
        Raise(card, 1 + i % 12);
        now += 700;
        recovery->WriteIfDue();
    }
    recovery->WritePendingNow();
    EXPECT_EQ(Contents(Path("tree.kpf")), saved);
    EXPECT_EQ(QFileInfo(Path("tree.kpf")).lastModified(), stamp);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"tree.kpf"});
    recovery.reset();
    EXPECT_EQ(Contents(Path("tree.kpf")), saved);
}

TEST_F(CardRecoveryTest, ANormalEndRemovesEverythingAnyOtherEndLeavesTheCopy) {
    {
        auto recovery = MakeRecovery(doc);
        recovery->Start();
        Raise(card, 2);
        recovery->WritePendingNow();
        recovery->EndNormally();
        Raise(card, 3);  // nothing follows the end
        EXPECT_FALSE(recovery->HasPendingWrite());
    }
    EXPECT_EQ(FilesIn(folder), QStringList());

    // A window that goes without a normal end: its last changes are written
    // even when not yet due, and its lock goes, so the next start offers them.
    QString copy;
    {
        auto recovery = MakeRecovery(doc);
        Raise(card, 4);
        copy = QFileInfo(recovery->CopyPath()).fileName();
    }
    const QString stem = copy.chopped(4);
    EXPECT_EQ(FilesIn(folder), (QStringList{stem + ".info", copy}));
    EXPECT_EQ(Contents(folder + "/" + copy), CardText(card.grid));

    // A program that ends without changes leaves nothing.
    CKirikoDoc other(settings, prompts);
    other.Card().NewCard(20, 9);
    other.MarkUnmodified();
    {
        auto recovery = MakeRecovery(other);
        recovery->Start();
        recovery->WaitForWriter();
    }
    EXPECT_EQ(FilesIn(folder), (QStringList{stem + ".info", copy}));
}

TEST_F(CardRecoveryTest, RunningProgramsNeverTakeEachOthersCopies) {
    // Two windows of this very process: each lock names a running program.
    CKirikoDoc other(settings, prompts);
    other.Card().NewCard(20, 9);
    other.MarkUnmodified();
    auto mine = MakeRecovery(doc);
    auto theirs = MakeRecovery(other);
    Raise(card, 2);
    Raise(other.Card(), 5);
    mine->WritePendingNow();
    theirs->WritePendingNow();
    EXPECT_TRUE(mine->FindOrphanedCards().empty());
    EXPECT_TRUE(theirs->FindOrphanedCards().empty());
    EXPECT_TRUE(QFile::exists(theirs->CopyPath()));

    // Locks of processes that are gone, whatever their process id is now.
    RecoveryLock reused = CurrentProcessLock();  // this id, but another start
    reused.startTicks -= 1;
    RecoveryLock rebooted = CurrentProcessLock();
    rebooted.bootId = "0123-4567";
    CellGrid g;
    g.NewCard(12, 6);
    PlantCopy(folder, g, "", "Untitled", 1000, reused);
    PlantCopy(folder, g, "", "Untitled", 2000, rebooted);
    PlantCopy(folder, g, "", "Untitled", 3000, EndedOwner());
    const auto orphans = mine->FindOrphanedCards();
    ASSERT_EQ(orphans.size(), 3u);
    EXPECT_EQ(orphans[0].changed.toMSecsSinceEpoch(), 3000);  // newest first
    EXPECT_EQ(orphans[2].changed.toMSecsSinceEpoch(), 1000);
    EXPECT_TRUE(QFile::exists(theirs->CopyPath()));

    // Of two programs that recover the same card, one gets it; the other
    // keeps its own card and copy.
    const CellGrid theirCard = other.Card().grid;
    EXPECT_EQ(mine->RecoverCard(orphans[0]), CardRecovery::RecoverResult::Recovered);
    EXPECT_EQ(theirs->RecoverCard(orphans[0]), CardRecovery::RecoverResult::Gone);
    EXPECT_TRUE(other.Card().grid.SameShape(theirCard));
    EXPECT_EQ(Contents(theirs->CopyPath()), CardText(theirCard));
    EXPECT_EQ(theirs->FindOrphanedCards().size(), 2u);
}

TEST_F(CardRecoveryTest, LeftoversAndCopiesTheFileAlreadyHoldsAreTidiedAway) {
    auto recovery = MakeRecovery(doc);
    CellGrid tree;
    tree.NewCard(14, 8);
    test::AddBox(tree, 3, 2, 4);
    WriteFile(Path("tree.kpf"), CardText(tree));
    // Saved after its last copy: nothing to recover.
    PlantCopy(folder, tree, Path("tree.kpf"), "tree", 1000, EndedOwner());
    // What a program that ended abnormally left without a copy.
    const std::string lone = MakeRecoveryStem(1, 7);
    WriteFile(folder + "/" + QString::fromStdString(RecoveryLockName(lone)),
              QByteArray::fromStdString(FormatRecoveryLock(EndedOwner())));
    WriteFile(folder + "/" + QString::fromStdString(RecoveryInfoName(lone)), "popwright recovery 1\nchanged 1\n");
    const QString oldTemp = folder + "/." + QString::fromStdString(RecoveryCopyName(lone)) + ".tmp42";
    WriteFile(oldTemp, "half a card");
    {
        QFile f(oldTemp);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
    }
    // A program that is writing its first lock right now.
    const std::string starting = MakeRecoveryStem(2, 8);
    const QString youngTemp = folder + "/." + QString::fromStdString(RecoveryLockName(starting)) + ".tmp7";
    WriteFile(youngTemp, "popwright lock 1\n");
    // Files that are not ours stay.
    WriteFile(folder + "/notes.txt", "mine");

    EXPECT_TRUE(recovery->FindOrphanedCards().empty());
    EXPECT_EQ(FilesIn(folder), (QStringList{QFileInfo(youngTemp).fileName(), "notes.txt"}));
}

TEST_F(CardRecoveryTest, ARecoveredCardIsChangedUntitledAndNamedAfterItsFile) {
    CellGrid lost;
    std::mt19937 rng(5);
    test::RandomCard(lost, rng, 30, 12);
    PlantCopy(folder, lost, "/cards/tree.kpf", "tree", 1000, EndedOwner());
    auto recovery = MakeRecovery(doc);
    const auto orphans = recovery->FindOrphanedCards();
    ASSERT_EQ(orphans.size(), 1u);
    EXPECT_EQ(orphans[0].Name(), "tree.kpf");
    EXPECT_EQ(orphans[0].RecoveredTitle(), "tree.kpf (recovered)");

    ASSERT_EQ(recovery->RecoverCard(orphans[0]), CardRecovery::RecoverResult::Recovered);
    EXPECT_TRUE(card.grid.SameShape(lost));
    EXPECT_EQ(doc.Title(), "tree.kpf (recovered)");
    EXPECT_TRUE(doc.currentCardPath().isEmpty());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(card.history.HasUndoSteps());
    // The copy is this program's own now, with its info and lock; the old
    // files are gone.
    EXPECT_EQ(FilesIn(folder).size(), 3u);
    EXPECT_TRUE(QFile::exists(recovery->LockPath()));
    EXPECT_EQ(Contents(recovery->CopyPath()), CardText(lost));
    const auto info = ParseRecoveryInfo(Contents(recovery->InfoPath()).toStdString());
    ASSERT_TRUE(info);
    EXPECT_EQ(info->title, "tree.kpf (recovered)");

    // Lost once more: it keeps its one "(recovered)".
    RecoverableCard again;
    again.title = "tree.kpf (recovered)";
    EXPECT_EQ(again.RecoveredTitle(), "tree.kpf (recovered)");
    again.title = QString();
    EXPECT_EQ(again.Name(), "Untitled");
    EXPECT_EQ(again.RecoveredTitle(), "Untitled (recovered)");
}

TEST_F(CardRecoveryTest, AFreeformCardsCopyIsOfferedAndRecoveredAsTheSameFreeformCard) {
    Raise(card, 2);
    Raise(card, 5);
    doc.MarkUnmodified();
    std::string lost;
    {
        // Converted and lost before it was saved: the window ends without a normal end.
        auto recovery = MakeRecovery(doc);
        doc.OnConvertToFreeform();
        ASSERT_TRUE(doc.IsFreeform());
        lost = WriteFreeformCard(doc.Document().Freeform());
    }

    CKirikoDoc later(settings, prompts);
    later.Card().NewCard(20, 9);
    later.MarkUnmodified();
    auto recovery = MakeRecovery(later);
    const auto orphans = recovery->FindOrphanedCards();
    ASSERT_EQ(orphans.size(), 1u);
    ASSERT_EQ(recovery->RecoverCard(orphans[0]), CardRecovery::RecoverResult::Recovered);
    ASSERT_TRUE(later.IsFreeform());
    EXPECT_EQ(WriteFreeformCard(later.Document().Freeform()), lost);
    EXPECT_TRUE(later.IsModified());
    EXPECT_TRUE(later.currentCardPath().isEmpty());
    EXPECT_EQ(later.Title(), orphans[0].RecoveredTitle());
    // Its own copy, taken over, still holds the free-form card.
    EXPECT_EQ(Contents(recovery->CopyPath()).toStdString(), lost);
}

// The per-user data folder of the program under test, for one test.
class DataHome {
public:
    explicit DataHome(const QString& path) : old_(qgetenv("XDG_DATA_HOME")) {
        qputenv("XDG_DATA_HOME", QFile::encodeName(path));
    }
    ~DataHome() { qputenv("XDG_DATA_HOME", old_); }

private:
    QByteArray old_;
};

class RecoveryOfferTest : public ::testing::Test {
protected:
    RecoveryOfferTest() : home(dir.filePath("data")), store(dir.filePath("settings.ini")) {}

    // The folder the program uses, as InitInstance names the program.
    QString Folder() const { return dir.filePath("data/Ovu_Rudovo/Popwright/recovery"); }

    QTemporaryDir dir;
    DataHome home;
    QtSettingsStore store;
    test::RecordingPrompts prompts;
};

TEST_F(RecoveryOfferTest, RecoverOpensTheChosenCardAndLaterKeepsTheRest) {
    CellGrid tree, untitled;
    std::mt19937 rng(8);
    test::RandomCard(tree, rng, 20, 9);
    test::RandomCard(untitled, rng, 16, 8);
    const qint64 hourAgo = QDateTime::currentMSecsSinceEpoch() - 3'600'000;
    PlantCopy(Folder(), tree, dir.filePath("tree.kpf"), "tree", hourAgo + 60'000, EndedOwner());
    PlantCopy(Folder(), untitled, "", "Untitled", hourAgo, EndedOwner());

    QStringList names, times;
    prompts.onDialog = [&](QDialog& dialog) {
        auto* list = dialog.findChild<QTreeWidget*>("cards");
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            names << list->topLevelItem(i)->text(0);
            times << list->topLevelItem(i)->text(1);
        }
        QTest::mouseClick(dialog.findChild<QPushButton*>("recover"), Qt::LeftButton);  // the newest, selected
        return dialog.result();
    };
    {
        CKirikoApp app(store, prompts);
        ASSERT_TRUE(app.InitInstance({"popwright"}));
        EXPECT_EQ(prompts.dialogTitles, QStringList{"Recover unsaved card"});
        EXPECT_EQ(names, (QStringList{"tree.kpf", "Untitled"}));
        EXPECT_EQ(times[0], QLocale().toString(QDateTime::fromMSecsSinceEpoch(hourAgo + 60'000), QLocale::ShortFormat));
        CMainFrame* frame = app.MainFrame();
        EXPECT_EQ(frame->windowTitle(), "tree.kpf (recovered)[*] - Popwright");
        EXPECT_TRUE(frame->isWindowModified());
        EXPECT_TRUE(frame->Model().grid.SameShape(tree));
        EXPECT_TRUE(frame->Doc().currentCardPath().isEmpty());
        // Save asks for a name: the card has no file of its own.
        prompts.saveNames = {QString()};
        frame->Action(ID_FILE_SAVE)->trigger();
        EXPECT_EQ(prompts.saveDialogs, 1);
        prompts.answers = {SaveChangesAnswer::Discard};
        EXPECT_TRUE(frame->close());
    }
    // The recovered card was discarded at the end; the other waits.
    EXPECT_EQ(FilesIn(Folder()).size(), 3u);
    names.clear();
    prompts.dialogTitles.clear();
    prompts.onDialog = [&](QDialog& dialog) {
        names << dialog.findChild<QTreeWidget*>("cards")->topLevelItem(0)->text(0);
        QTest::mouseClick(dialog.findChild<QPushButton*>("later"), Qt::LeftButton);
        return dialog.result();
    };
    {
        CKirikoApp app(store, prompts);
        ASSERT_TRUE(app.InitInstance({"popwright"}));
        EXPECT_EQ(names, QStringList{"Untitled"});
        EXPECT_EQ(app.MainFrame()->windowTitle(), "Kiriko[*] - Popwright");
        EXPECT_FALSE(app.MainFrame()->isWindowModified());
        EXPECT_TRUE(app.MainFrame()->close());
    }
    EXPECT_EQ(FilesIn(Folder()).size(), 3u);
}

TEST_F(RecoveryOfferTest, DiscardDeletesTheCardAndAsksAboutTheRest) {
    CellGrid g;
    g.NewCard(14, 7);
    PlantCopy(Folder(), g, "", "first", 2000, EndedOwner());
    PlantCopy(Folder(), g, "", "second", 1000, EndedOwner());
    // A copy that cannot be read is reported and kept.
    const QString broken = PlantCopy(Folder(), g, "", "broken", 3000, EndedOwner());
    WriteFile(broken, "kiriko\nw 3\nh 4\n9 9 e\n");
    QList<int> counts;
    prompts.onDialog = [&](QDialog& dialog) {
        counts << dialog.findChild<QTreeWidget*>("cards")->topLevelItemCount();
        const char* button = counts.size() == 1 ? "recover" : "discard";
        QTest::mouseClick(dialog.findChild<QPushButton*>(button), Qt::LeftButton);
        return dialog.result();
    };
    CKirikoApp app(store, prompts);
    ASSERT_TRUE(app.InitInstance({"popwright"}));
    EXPECT_EQ(counts, (QList<int>{3, 2, 1}));
    EXPECT_EQ(prompts.messages, QStringList{"This file could not be read."});
    EXPECT_EQ(app.MainFrame()->windowTitle(), "Kiriko[*] - Popwright");
    EXPECT_TRUE(QFile::exists(broken));
    app.MainFrame()->Recovery().WaitForWriter();
    EXPECT_EQ(FilesIn(Folder()).size(), 4u);  // the broken card's three files and this program's lock
}

using test::FileSizeLimit;

class RecoveryFaultTest : public RecoveryOfferTest {
protected:
    std::unique_ptr<CMainFrame> MakeFrame() {
        // The names InitInstance gives the program, which name its folders.
        QCoreApplication::setOrganizationName(QStringLiteral("Ovu_Rudovo"));
        QCoreApplication::setApplicationName(QStringLiteral("Popwright"));
        auto frame = std::make_unique<CMainFrame>(store, prompts);
        frame->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        return frame;
    }
    // The status-bar messages about recovery copies so far.
    static int Complaints(CMainFrame& frame, QSignalSpy& spy) {
        frame.Recovery().WaitForWriter();
        return spy.count();
    }
};

TEST_F(RecoveryFaultTest, AFullDiskFailsSaveExportsAndCopyWithTheirMessagesAndKeepsTheOldFiles) {
    auto frame = MakeFrame();
    QSignalSpy complaints(&frame->Recovery(), &CardRecovery::cannotKeepCopies);
    CellGrid small;
    small.NewCard(14, 12);
    test::AddBox(small, 3, 2, 3);
    const QString cardPath = dir.filePath("tree.kpf");
    WriteFile(cardPath, CardText(small));
    ASSERT_TRUE(frame->Doc().OpenCardFile(cardPath));
    const QByteArray oldCard = Contents(cardPath);

    // Old exports and an old copy, written while there was room.
    Raise(frame->Model(), 2);
    frame->Recovery().WritePendingNow();
    const QByteArray oldCopy = Contents(frame->Recovery().CopyPath());
    ASSERT_NE(oldCopy, "<missing>");
    const QStringList exports = {dir.filePath("p.svg"), dir.filePath("p.bmp"), dir.filePath("p.dxf")};
    // The SVG export asks for its pattern options first: take them as offered.
    prompts.onDialog = [](QDialog&) { return int(QDialog::Accepted); };
    prompts.saveNames = {exports[0], exports[1]};
    frame->Action(ID_EXPORT_UNFOLDED)->trigger();
    frame->Action(ID_EXPORT_UNFOLDED)->trigger();
    prompts.saveNames = {exports[2]};
    frame->Action(ID_EXPORT_3D_DATA)->trigger();
    ASSERT_TRUE(prompts.messages.isEmpty());
    QList<QByteArray> oldExports;
    for (const QString& e : exports) {
        oldExports << Contents(e);
        ASSERT_NE(oldExports.back(), "<missing>") << e.toStdString();
    }

    // Far more card than fits.
    for (int x = 1; x <= 12; ++x)
        for (int i = 0; i < 5; ++i) Raise(frame->Model(), x);
    {
        FileSizeLimit limit(static_cast<rlim_t>(std::min(oldCard.size(), oldCopy.size())) - 8);
        frame->Action(ID_FILE_SAVE)->trigger();
        prompts.saveNames = {exports[0], exports[1], exports[2]};
        frame->Action(ID_EXPORT_UNFOLDED)->trigger();
        frame->Action(ID_EXPORT_UNFOLDED)->trigger();
        frame->Action(ID_EXPORT_3D_DATA)->trigger();
        frame->Recovery().WritePendingNow();
    }
    EXPECT_EQ(prompts.messages,
              (QStringList{"File save failed.", "File save failed.", "File save failed.", "File open failed."}));
    EXPECT_EQ(complaints.count(), 1);
    EXPECT_TRUE(frame->statusBar()->currentMessage().startsWith("Recovery copies cannot be kept: "))
        << frame->statusBar()->currentMessage().toStdString();
    EXPECT_EQ(Contents(cardPath), oldCard);
    for (int i = 0; i < exports.size(); ++i) EXPECT_EQ(Contents(exports[i]), oldExports[i]) << exports[i].toStdString();
    EXPECT_EQ(Contents(frame->Recovery().CopyPath()), oldCopy);
    EXPECT_TRUE(frame->isWindowModified());

    // Room again: the next copy is written.
    Raise(frame->Model(), 1);
    frame->Recovery().WritePendingNow();
    EXPECT_EQ(Contents(frame->Recovery().CopyPath()), CardText(frame->Model().grid));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).filter(".tmp"), QStringList());
    EXPECT_EQ(FilesIn(Folder()).filter(".tmp"), QStringList());
}

TEST_F(RecoveryFaultTest, ADataFolderThatCannotBeWrittenIsToldOnceAndNothingElseChanges) {
    // sysfs takes no new folders, not even from root.
    DataHome readOnly(QStringLiteral("/sys/kernel/popwright-test"));
    auto frame = MakeFrame();
    frame->Recovery().WaitForWriter();
    // Said at start, before any edit, and never again.
    QSignalSpy complaints(&frame->Recovery(), &CardRecovery::cannotKeepCopies);
    EXPECT_EQ(
        frame->statusBar()->currentMessage(),
        "Recovery copies cannot be kept: /sys/kernel/popwright-test/Ovu_Rudovo/Popwright/recovery cannot be written.");
    for (int i = 0; i < 5; ++i) {
        Raise(frame->Model(), 2 + i);
        frame->Recovery().WritePendingNow();
    }
    EXPECT_EQ(Complaints(*frame, complaints), 0);
    prompts.saveNames = {dir.filePath("kept.kpf")};
    frame->Action(ID_FILE_SAVE_AS)->trigger();
    EXPECT_TRUE(prompts.messages.isEmpty());
    CellGrid saved;
    ASSERT_TRUE(ReadCard(QFile::encodeName(dir.filePath("kept.kpf")).toStdString(), saved));
    EXPECT_TRUE(saved.SameShape(frame->Model().grid));
    EXPECT_FALSE(frame->isWindowModified());
    EXPECT_TRUE(frame->close());
}

TEST_F(RecoveryFaultTest, AVanishedFolderIsMadeAgainAndOneThatCannotBeIsToldOnce) {
    auto frame = MakeFrame();
    QSignalSpy complaints(&frame->Recovery(), &CardRecovery::cannotKeepCopies);
    CardRecovery& recovery = frame->Recovery();
    Raise(frame->Model(), 2);
    recovery.WritePendingNow();
    ASSERT_TRUE(QFile::exists(recovery.CopyPath()));

    ASSERT_TRUE(QDir(dir.filePath("data")).removeRecursively());
    Raise(frame->Model(), 3);
    recovery.WritePendingNow();
    EXPECT_EQ(Contents(recovery.CopyPath()), CardText(frame->Model().grid));
    EXPECT_TRUE(QFile::exists(recovery.LockPath()));
    EXPECT_EQ(complaints.count(), 0);

    // Gone, and a file stands in its place.
    ASSERT_TRUE(QDir(dir.filePath("data")).removeRecursively());
    QDir().mkpath(dir.filePath("data/Ovu_Rudovo"));
    WriteFile(dir.filePath("data/Ovu_Rudovo/Popwright"), "in the way");
    for (int i = 0; i < 3; ++i) {
        Raise(frame->Model(), 4 + i);
        recovery.WritePendingNow();
    }
    EXPECT_EQ(complaints.count(), 1);
    // Editing and saving go on as before.
    prompts.saveNames = {dir.filePath("kept.kpf")};
    frame->Action(ID_FILE_SAVE_AS)->trigger();
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_FALSE(frame->isWindowModified());
}

}  // namespace
}  // namespace pw
