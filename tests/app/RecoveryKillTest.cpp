// The desktop program killed with SIGKILL at a random moment while the card
// is edited, while it is saved over and over, or while it is edited and now
// and then saved (24 runs, 8 of each). The real main
// window runs in a child process (this test program started with "--child"),
// opened on a card file, driven by a timer that sends edit keys and Save,
// and writing a record of what it did. The test kills it, then checks what
// is on the disk against the record:
//   - the card file is whole and is the old card or one that was saved;
//   - the recovery copy is whole and holds a card that was handed to the
//     writer no earlier than the last copy reported written; without a
//     copy, nothing was written since the card was last saved;
//   - every change was handed to the writer within two seconds, measured on
//     the program's own clock: a change that more than two seconds later
//     was followed by another was copied before that one, unless the card
//     was saved in between (so a busy machine can delay the program, but
//     not make the test fail);
//   - the next start sees the copy as one whose program has ended.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/CardRecovery.h"
#include "app/CommandTable.h"
#include "app/KirikoApp.h"
#include "app/KirikoDoc.h"
#include "app/MainFrame.h"
#include "app/QtSettingsStore.h"
#include "app/UserPrompts.h"
#include "edit/EditedCard.h"
#include "model/AppSettings.h"
#include "model/CardFile.h"
#include "support/CardBuilder.h"
#include "view3d/KirikoView.h"

namespace pw {
namespace {

std::string CardText(const CellGrid& grid) {
    std::ostringstream out;
    WriteCard(out, grid);
    return out.str();
}

std::string Hash(const std::string& bytes) {
    std::uint64_t h = 1469598103934665603ull;
    for (unsigned char c : bytes) h = (h ^ c) * 1099511628211ull;
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
    return text;
}

// ---- the child: the real main window, driven and recorded -----------------

// One line per event, each written with one call, so a kill leaves at most
// the last line cut short.
class Record {
public:
    explicit Record(const char* path) : fd_(::open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644)) {}
    void Line(const std::string& text) {
        const std::string line = text + "\n";
        (void)!::write(fd_, line.data(), line.size());
    }

private:
    int fd_;
};

// A user who never answers: messages go to the record.
class RecordedPrompts : public UserPrompts {
public:
    explicit RecordedPrompts(Record& record) : record_(record) {}
    void ShowMessage(QWidget*, const QString& text) override { record_.Line("M " + text.simplified().toStdString()); }
    SaveChangesAnswer AskSaveChanges(QWidget*, const QString&) override { return SaveChangesAnswer::Cancel; }
    QString GetOpenFileName(QWidget*, const QString&) override { return QString(); }
    QString GetSaveFileName(QWidget*, const QString&) override { return QString(); }
    bool GetColor(QWidget*, QColor&) override { return false; }
    int RunDialog(QDialog&) override { return 0; }
    bool OpenUrl(const QUrl&) override { return false; }

private:
    Record& record_;
};

// How the child works the card: edits only; Save all the time, so that
// kills find it saving; or edits with a Save now and then.
enum class Pace { Editing, Saving, Mixed };
constexpr const char* kPaceNames[] = {"editing", "saving", "mixed"};

int RunChild(int argc, char** argv) {
    // --child PACE SEED CARD RECORD
    if (argc < 6) return 2;
    Pace pace = Pace::Editing;
    for (int p = 0; p < 3; ++p)
        if (std::strcmp(argv[2], kPaceNames[p]) == 0) pace = static_cast<Pace>(p);
    std::mt19937 rng(static_cast<unsigned>(std::strtoul(argv[3], nullptr, 10)));
    const QString cardPath = QString::fromLocal8Bit(argv[4]);
    Record record(argv[5]);

    QApplication app(argc, argv);
    RecordedPrompts prompts(record);
    QtSettingsStore store;
    CKirikoApp kiriko(store, prompts);
    if (!kiriko.InitInstance({QStringLiteral("popwright"), cardPath})) return 3;
    CMainFrame* frame = kiriko.MainFrame();
    frame->Settings().sound.on = 0;
    if (!QTest::qWaitForWindowExposed(frame)) return 4;
    EditedCard& card = frame->Model();
    CardRecovery& recovery = frame->Recovery();
    auto hash = [&card] { return Hash(CardText(card.grid)); };

    QObject::connect(&recovery, &CardRecovery::changeNoted,
                     [&](qint64 when) { record.Line("C " + std::to_string(when) + " " + hash()); });
    QObject::connect(&recovery, &CardRecovery::copyQueued, [&](quint64 serial, qint64 when) {
        record.Line("Q " + std::to_string(serial) + " " + std::to_string(when) + " " + hash());
    });
    QObject::connect(&recovery, &CardRecovery::copyWritten,
                     [&](quint64 serial) { record.Line("W " + std::to_string(serial)); });
    QObject::connect(&recovery, &CardRecovery::copyRemoved,
                     [&](quint64 serial) { record.Line("R " + std::to_string(serial)); });
    QObject::connect(&frame->Doc(), &CKirikoDoc::modifiedChanged,
                     [&](bool modified) { record.Line(modified ? "U 1" : "U 0"); });

    // The edits a user makes at a random pace, with a pause now and then.
    QTimer driver;
    driver.setSingleShot(true);
    driver.setTimerType(Qt::PreciseTimer);
    CKirikoView* view = frame->View();
    const int saveShare = pace == Pace::Saving ? 85 : pace == Pace::Mixed ? 4 : 0;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        int wait = pace == Pace::Saving ? std::uniform_int_distribution<int>(0, 2)(rng)
                                        : std::uniform_int_distribution<int>(5, 80)(rng);
        const bool save = std::uniform_int_distribution<int>(0, 99)(rng) < saveShare;
        const int pick = std::uniform_int_distribution<int>(0, 99)(rng);
        if (save) {
            record.Line("S " + hash());
            frame->Action(ID_FILE_SAVE)->trigger();
            record.Line("s");
        } else if (pick < 55) {
            QTest::keyClick(view, Qt::Key_Space);
        } else if (pick < 67) {
            QTest::keyClick(view, Qt::Key_Z);
        } else if (pick < 89) {
            static const Qt::Key arrows[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down};
            QTest::keyClick(view, arrows[std::uniform_int_distribution<int>(0, 3)(rng)]);
        } else if (pick < 94) {
            QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
        } else if (pick < 97) {
            QTest::keyClick(view, Qt::Key_Y, Qt::ControlModifier);
        } else if (pace != Pace::Saving) {
            wait = std::uniform_int_distribution<int>(300, 1500)(rng);
        }
        driver.start(wait);
    });
    view->setFocus();
    record.Line("ready " + hash());
    driver.start(0);
    return app.exec();
}

}  // namespace
}  // namespace pw

extern "C" int PopwrightTestChildMain(int argc, char** argv) { return pw::RunChild(argc, argv); }

namespace pw {
namespace {

// ---- the test: start, kill, look --------------------------------------------

struct Event {
    char kind = 0;
    std::vector<std::string> words;
};

std::vector<Event> ReadRecord(const QString& path) {
    QFile file(path);
    std::vector<Event> events;
    if (!file.open(QIODevice::ReadOnly)) return events;
    const QByteArray all = file.readAll();
    // A line cut short by the kill has no line end and is left out.
    const QList<QByteArray> lines = all.left(all.lastIndexOf('\n') + 1).split('\n');
    for (const QByteArray& line : lines) {
        if (line.isEmpty()) continue;
        Event e;
        e.kind = line.at(0);
        for (const QByteArray& word : line.mid(1).simplified().split(' '))
            if (!word.isEmpty()) e.words.push_back(word.toStdString());
        events.push_back(e);
    }
    return events;
}

std::string ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

// The card in the file read whole and written again gives the same bytes.
bool IsWholeCard(const QString& path) {
    CellGrid grid;
    return ReadCard(QFile::encodeName(path).toStdString(), grid) && CardText(grid) == ReadBytes(path);
}

class RecoveryKillTest : public ::testing::TestWithParam<int> {};

TEST_P(RecoveryKillTest, KilledAtARandomMomentLosesAtMostTheLastTwoSeconds) {
    const int run = GetParam();
    const Pace pace = static_cast<Pace>(run % 3);
    const bool saving = pace == Pace::Saving;
    const unsigned seed = 7919u * static_cast<unsigned>(run) + 17u;
    std::mt19937 rng(seed);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString cardPath = dir.filePath("card.kpf");
    {
        CellGrid start;
        test::RandomCard(start, rng, 82, 41);
        QFile f(cardPath);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray::fromStdString(CardText(start)));
    }
    const std::string oldHash = Hash(ReadBytes(cardPath));
    const QString recordPath = dir.filePath("record");

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    env.insert("XDG_DATA_HOME", dir.filePath("data"));
    env.insert("XDG_CACHE_HOME", dir.filePath("cache"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {"--child", kPaceNames[run % 3], QString::number(seed), cardPath, recordPath});
    ASSERT_TRUE(child.waitForStarted(60'000));

    // Started when it says so, however long a busy machine takes.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(3);
    for (;;) {
        const std::vector<Event> events = ReadRecord(recordPath);
        if (!events.empty() && events.front().kind == 'r') break;
        ASSERT_EQ(child.state(), QProcess::Running) << "the child ended before it was ready";
        ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the child never got ready";
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    const int delay = std::uniform_int_distribution<int>(0, saving ? 1500 : 6000)(rng);
    std::this_thread::sleep_for(std::chrono::milliseconds(delay));
    ASSERT_EQ(::kill(static_cast<pid_t>(child.processId()), SIGKILL), 0);
    ASSERT_TRUE(child.waitForFinished(60'000));
    ASSERT_EQ(child.exitStatus(), QProcess::CrashExit);

    const std::vector<Event> events = ReadRecord(recordPath);
    std::map<std::string, int> counts;
    for (const Event& e : events) ++counts[std::string(1, e.kind)];
    std::printf("run %d (%s, killed after %d ms): %d changes, %d copies handed over, %d written, %d saves\n", run,
                kPaceNames[run % 3], delay, counts["C"], counts["Q"], counts["W"], counts["S"]);

    // The card file: whole, and the old card or one that was saved.
    std::vector<std::string> fileHashes = {oldHash};
    for (const Event& e : events) {
        ASSERT_NE(e.kind, 'M') << "the program reported a failure";
        if (e.kind == 'S') fileHashes.push_back(e.words.at(0));
    }
    ASSERT_TRUE(IsWholeCard(cardPath));
    const std::string fileHash = Hash(ReadBytes(cardPath));
    EXPECT_NE(std::find(fileHashes.begin(), fileHashes.end(), fileHash), fileHashes.end());
    const bool killedWhileSaving = !events.empty() && events.back().kind == 'S';
    if (killedWhileSaving)
        std::printf("run %d: killed while saving; the file is the %s card\n", run,
                    fileHash == events.back().words.at(0) ? "new" : "old");

    // The recovery copy.
    const QString folder = dir.filePath("data/Ovu_Rudovo/Popwright/recovery");
    const QStringList copies = QDir(folder).entryList({"card-*.kpf"}, QDir::Files);
    ASSERT_LE(copies.size(), 1);
    std::uint64_t lastWritten = 0, lastRemoved = 0;
    for (const Event& e : events) {
        if (e.kind == 'W') lastWritten = std::max<std::uint64_t>(lastWritten, std::stoull(e.words.at(0)));
        if (e.kind == 'R') lastRemoved = std::max<std::uint64_t>(lastRemoved, std::stoull(e.words.at(0)));
    }
    if (copies.isEmpty()) {
        EXPECT_LE(lastWritten, lastRemoved) << "a written copy is missing";
    } else {
        const QString copyPath = folder + "/" + copies.front();
        ASSERT_TRUE(IsWholeCard(copyPath));
        const std::string copyHash = Hash(ReadBytes(copyPath));
        bool handedOver = false;
        for (const Event& e : events)
            if (e.kind == 'Q' && std::stoull(e.words.at(0)) >= lastWritten && e.words.at(2) == copyHash)
                handedOver = true;
        EXPECT_TRUE(handedOver) << "the copy is not the newest card written";
        const QString infoPath = QString(copyPath).replace(".kpf", ".info");
        if (QFile::exists(infoPath)) {
            const auto info = ParseRecoveryInfo(ReadBytes(infoPath));
            ASSERT_TRUE(info);
            EXPECT_EQ(QFile::decodeName(QByteArray::fromStdString(info->cardPath)), cardPath);
        }
    }

    // Every change handed over within two seconds, on the program's clock.
    for (std::size_t i = 0; i < events.size(); ++i) {
        if (events[i].kind != 'C') continue;
        const long long changed = std::stoll(events[i].words.at(0));
        // A copy that fell due while the change was on its way went out
        // first, at the same moment, and holds the change too.
        bool covered = i > 0 && events[i - 1].kind == 'Q' && events[i - 1].words.at(1) == events[i].words.at(0) &&
                       events[i - 1].words.at(2) == events[i].words.at(1);
        for (std::size_t j = i + 1; j < events.size() && !covered; ++j) {
            const Event& e = events[j];
            if (e.kind == 'Q' || (e.kind == 'U' && e.words.at(0) == "0")) covered = true;
            if (e.kind == 'C' && std::stoll(e.words.at(0)) >= changed + 2000 && !covered)
                FAIL() << "a change at " << changed << " was not copied before the change at " << e.words.at(0);
        }
    }

    // The next start finds the copy, its program being gone.
    AppSettings settings;
    struct NoPrompts : UserPrompts {
        void ShowMessage(QWidget*, const QString&) override {}
        SaveChangesAnswer AskSaveChanges(QWidget*, const QString&) override { return SaveChangesAnswer::Cancel; }
        QString GetOpenFileName(QWidget*, const QString&) override { return QString(); }
        QString GetSaveFileName(QWidget*, const QString&) override { return QString(); }
        bool GetColor(QWidget*, QColor&) override { return false; }
        int RunDialog(QDialog&) override { return 0; }
        bool OpenUrl(const QUrl&) override { return false; }
    } prompts;
    CKirikoDoc doc(settings, prompts);
    CardRecovery next(doc, folder);
    const std::vector<RecoverableCard> found = next.FindOrphanedCards();
    if (!copies.isEmpty() && fileHash != Hash(ReadBytes(folder + "/" + copies.front()))) {
        ASSERT_EQ(found.size(), 1u);
        EXPECT_EQ(QFileInfo(found[0].copyPath).fileName(), copies.front());
    } else {
        EXPECT_TRUE(found.empty());  // nothing the card file does not hold
    }
}

// Twenty-four runs: editing, saving and both, in turn.
INSTANTIATE_TEST_SUITE_P(Runs, RecoveryKillTest, ::testing::Range(0, 24));

}  // namespace
}  // namespace pw
