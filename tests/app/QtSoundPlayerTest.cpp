// Finding and playing the edit sounds: a missing file, a broken file or no
// audio device must neither block nor crash.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cstdint>

#include "app/QtSoundPlayer.h"

namespace pw {
namespace {

void WriteFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A short 8 kHz mono 16-bit click.
QByteArray TinyWav() {
    const std::uint32_t samples = 800, dataBytes = samples * 2;
    QByteArray b;
    auto u32 = [&](std::uint32_t v) { for (int i = 0; i < 4; ++i) b.append(char((v >> (8 * i)) & 0xFF)); };
    auto u16 = [&](std::uint16_t v) { b.append(char(v & 0xFF)); b.append(char(v >> 8)); };
    b.append("RIFF");
    u32(36 + dataBytes);
    b.append("WAVEfmt ");
    u32(16);
    u16(1);
    u16(1);
    u32(8000);
    u32(16000);
    u16(2);
    u16(16);
    b.append("data");
    u32(dataBytes);
    for (std::uint32_t i = 0; i < samples; ++i) u16(static_cast<std::uint16_t>((i % 40) < 20 ? 8000 : -8000));
    return b;
}

TEST(QtSoundPlayerTest, LooksInTheFoldersInOrder) {
    QTemporaryDir a, b;
    WriteFile(a.filePath("s1.wav"), TinyWav());
    WriteFile(b.filePath("s1.wav"), TinyWav());
    WriteFile(b.filePath("s2.wav"), TinyWav());
    QtSoundPlayer player({a.path(), b.path()});
    EXPECT_EQ(player.FindSoundFile(EditSound::Lower), QFileInfo(a.filePath("s1.wav")).absoluteFilePath());
    EXPECT_EQ(player.FindSoundFile(EditSound::PushBack), QFileInfo(b.filePath("s2.wav")).absoluteFilePath());
    EXPECT_TRUE(player.FindSoundFile(EditSound::PullOut).isEmpty());
}

TEST(QtSoundPlayerTest, DefaultsStartWithTheSoundFolderOfTheCurrentFolder) {
    QTemporaryDir work;
    WriteFile(work.filePath("sound/s0.wav"), TinyWav());
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(work.path()));
    const QtSoundPlayer player;
    const QString found = player.FindSoundFile(EditSound::Raise);
    QDir::setCurrent(before);
    EXPECT_EQ(found, QFileInfo(work.filePath("sound/s0.wav")).absoluteFilePath());
    const QStringList folders = QtSoundPlayer::DefaultFolders();
    ASSERT_GE(folders.size(), 3);
    EXPECT_EQ(folders[1], QCoreApplication::applicationDirPath() + QStringLiteral("/sound"));
    EXPECT_EQ(folders[2], QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/popwright/sound")));
    EXPECT_TRUE(folders.last().endsWith(QStringLiteral("share/popwright/sound")));
}

TEST(QtSoundPlayerTest, PlayingReturnsAtOnceWhateverTheFileOrDevice) {
    QTemporaryDir dir;
    WriteFile(dir.filePath("s0.wav"), TinyWav());
    WriteFile(dir.filePath("s1.wav"), QByteArray("not a sound at all"));
    QtSoundPlayer player({dir.path()});
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 20; ++i) {
        player.PlaySound(EditSound::Raise);     // fine file
        player.PlaySound(EditSound::Lower);     // broken file
        player.PlaySound(EditSound::PullOut);   // missing file
    }
    EXPECT_LT(timer.elapsed(), 2000);
    QTest::qWait(200);  // let the background loading finish or fail
}

}  // namespace
}  // namespace pw
