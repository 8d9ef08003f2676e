#pragma once
#include <QString>
#include <QStringList>
#include <array>
#include <memory>

#include "edit/SoundSink.h"

class QSoundEffect;

namespace pw {

// Plays the edit sounds "sN.wav" with QSoundEffect, asynchronously. Each
// sound is looked up at every play in the given folders, first match wins.
// A missing file plays nothing; a missing audio device leaves the effect in
// its error state, which is silent. Effects are made at their first use.
class QtSoundPlayer : public SoundSink {
public:
    // The folders searched by default: "sound" in the current folder, the
    // "sound" folder beside the program, then the installed data folder
    // relative to the program and the one the program was built for.
    static QStringList DefaultFolders();

    explicit QtSoundPlayer(QStringList folders = DefaultFolders());
    ~QtSoundPlayer() override;

    void PlaySound(EditSound sound) override;

    // The file that would be played for the sound, or an empty string.
    QString FindSoundFile(EditSound sound) const;

private:
    QStringList folders_;
    std::array<std::unique_ptr<QSoundEffect>, 4> effects_;
};

}  // namespace pw
