// The four edit sounds shipped in sound/: plain PCM WAV files that Qt plays,
// each under half a second, none silent and no two alike.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QSoundEffect>
#include <QTest>
#include <array>
#include <cstdint>
#include <cstdlib>

#include "app/QtSoundPlayer.h"

namespace pw {
namespace {

struct Wave {
    int channels = 0, rate = 0, bits = 0;
    QByteArray samples;
    double Seconds() const { return double(samples.size()) / (channels * rate * bits / 8); }
};

// Little-endian fields at an offset the caller has checked.
std::uint32_t U16(const QByteArray& b, qsizetype at) {
    return std::uint8_t(b[at]) | std::uint32_t(std::uint8_t(b[at + 1])) << 8;
}
std::uint32_t U32(const QByteArray& b, qsizetype at) { return U16(b, at) | U16(b, at + 2) << 16; }

// Reads the fmt and data chunks; false when the file is not a PCM WAV.
bool ReadWave(const QString& path, Wave& w) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    const QByteArray b = f.readAll();
    if (b.size() < 12 || b.left(4) != "RIFF" || b.mid(8, 4) != "WAVE") return false;
    bool haveFormat = false;
    for (qsizetype at = 12; at + 8 <= b.size();) {
        const QByteArray id = b.mid(at, 4);
        const qsizetype size = U32(b, at + 4);
        const qsizetype body = at + 8;
        if (body + size > b.size()) return false;
        if (id == "fmt " && size >= 16) {
            if (U16(b, body) != 1) return false;  // PCM
            w.channels = int(U16(b, body + 2));
            w.rate = int(U32(b, body + 4));
            w.bits = int(U16(b, body + 14));
            haveFormat = true;
        } else if (id == "data") {
            w.samples = b.mid(body, size);
        }
        at += 8 + size + (size & 1);
    }
    return haveFormat && w.channels > 0 && w.rate > 0 && (w.bits == 8 || w.bits == 16) && !w.samples.isEmpty();
}

QString SoundPath(int n) { return QStringLiteral(POPWRIGHT_SOURCE_DIR "/sound/s%1.wav").arg(n); }

TEST(SoundFilesTest, FourShortDistinctAudibleWaves) {
    std::array<Wave, 4> waves;
    for (int n = 0; n < 4; ++n) {
        SCOPED_TRACE(n);
        ASSERT_TRUE(ReadWave(SoundPath(n), waves[n]));
        EXPECT_GT(waves[n].Seconds(), 0.05);
        EXPECT_LT(waves[n].Seconds(), 0.5);
        int peak = 0;
        if (waves[n].bits == 16) {
            for (qsizetype i = 0; i + 1 < waves[n].samples.size(); i += 2)
                peak = std::max(peak, std::abs(int(std::int16_t(U16(waves[n].samples, i)))));
            EXPECT_GT(peak, 32767 / 4);
        }
    }
    for (int a = 0; a < 4; ++a)
        for (int b = a + 1; b < 4; ++b) EXPECT_NE(waves[a].samples, waves[b].samples) << a << " " << b;
}

TEST(SoundFilesTest, TheBuildTreeProgramFindsTheSoundsBesideItself) {
    // The build copies sound/ to the top of the build tree, beside the program.
    const QtSoundPlayer player({QStringLiteral(POPWRIGHT_BINARY_DIR "/sound")});
    for (int n = 0; n < 4; ++n) {
        const QString found = player.FindSoundFile(static_cast<EditSound>(n));
        EXPECT_TRUE(found.endsWith(QStringLiteral("/sound/s%1.wav").arg(n))) << found.toStdString();
        QFile copy(found), original(SoundPath(n));
        ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
        ASSERT_TRUE(original.open(QIODevice::ReadOnly));
        EXPECT_EQ(copy.readAll(), original.readAll()) << n;
    }
}

TEST(SoundFilesTest, QtDecodesEverySound) {
    // Loading runs in the background and needs no audio device.
    for (int n = 0; n < 4; ++n) {
        QSoundEffect effect;
        effect.setSource(QUrl::fromLocalFile(SoundPath(n)));
        QElapsedTimer timer;
        timer.start();
        while (effect.status() == QSoundEffect::Loading && timer.elapsed() < 5000) QTest::qWait(10);
        EXPECT_EQ(effect.status(), QSoundEffect::Ready) << n;
    }
}

}  // namespace
}  // namespace pw
