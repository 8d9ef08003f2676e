#include "app/QtSoundPlayer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace pw {

QStringList QtSoundPlayer::DefaultFolders() {
    QStringList folders{QStringLiteral("sound")};  // resolved against the current folder at play time
    if (QCoreApplication::instance()) {
        const QDir program(QCoreApplication::applicationDirPath());
        folders << program.filePath(QStringLiteral("sound"));
        // An installed program whose prefix was moved finds its data relative to itself.
        folders << QDir::cleanPath(program.filePath(QStringLiteral("../share/popwright/sound")));
    }
    const QString installed = QStringLiteral(POPWRIGHT_DATADIR "/popwright/sound");
    if (!folders.contains(installed)) folders << installed;
    return folders;
}

QtSoundPlayer::QtSoundPlayer(QStringList folders) : folders_(std::move(folders)) {}

QtSoundPlayer::~QtSoundPlayer() = default;

QString QtSoundPlayer::FindSoundFile(EditSound sound) const {
    const QString name = QStringLiteral("s%1.wav").arg(static_cast<int>(sound));
    for (const QString& folder : folders_) {
        const QFileInfo file(QDir(folder).filePath(name));
        if (file.isFile() && file.isReadable()) return file.absoluteFilePath();
    }
    return {};
}

void QtSoundPlayer::PlaySound(EditSound sound) {
    const int index = static_cast<int>(sound);
    if (index < 0 || index >= static_cast<int>(effects_.size())) return;
    const QString path = FindSoundFile(sound);
    if (path.isEmpty()) return;
    // Like the system's one-sound player, a new sound cuts the one playing.
    for (auto& other : effects_)
        if (other && other->isPlaying()) other->stop();
    auto& effect = effects_[static_cast<std::size_t>(index)];
    if (!effect) effect = std::make_unique<QSoundEffect>();
    const QUrl url = QUrl::fromLocalFile(path);
    if (effect->source() != url) effect->setSource(url);
    // Loading and playing happen in the background; an effect whose file or
    // device failed stays silent and never blocks.
    effect->play();
}

}  // namespace pw
