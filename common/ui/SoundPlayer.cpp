#include "common/ui/SoundPlayer.h"

#include <QAudioDevice>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace vorlix {

TSoundPlayer& TSoundPlayer::Instance() {
    static TSoundPlayer player;
    return player;
}

bool TSoundPlayer::HasWaveOutput() { return !QMediaDevices::audioOutputs().isEmpty(); }

QString TSoundPlayer::Locate(const QString& name) const {
    // System sound aliases carry no extension; there is no file for them here.
    if (name.isEmpty() || name.contains('/') || QFileInfo(name).suffix().isEmpty()) return {};
    for (const QString& folder : folders_) {
        const QFileInfo file(folder + "/" + name);
        if (file.isFile()) return file.absoluteFilePath();
    }
    return {};
}

void TSoundPlayer::Play(const QString& name) {
    if (!soundsOn_ || !HasWaveOutput()) return;
    const QString file = Locate(name);
    if (file.isEmpty()) return;
    if (!effect_) effect_ = new QSoundEffect();
    if (effect_->isPlaying()) return;
    effect_->setSource(QUrl::fromLocalFile(file));
    effect_->play();
}

}  // namespace vorlix
