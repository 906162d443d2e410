#pragma once
// The application's sound routine: short wave files played asynchronously, only
// when a wave output device exists and sounds are switched on.
#include <QString>
#include <QStringList>

class QSoundEffect;

namespace vorlix {

class TSoundPlayer {
public:
    static TSoundPlayer& Instance();

    void SetSoundsOn(bool on) { soundsOn_ = on; }
    bool SoundsOn() const { return soundsOn_; }
    // Folders searched, in order, for a sound named without a folder.
    void SetSoundFolders(const QStringList& folders) { folders_ = folders; }

    static bool HasWaveOutput();
    // The file that would play for a name, or empty when none exists.
    QString Locate(const QString& name) const;
    // Plays the named sound unless sounds are off, no device exists, the file is
    // missing or another sound is still playing.
    void Play(const QString& name);

private:
    TSoundPlayer() = default;
    bool soundsOn_ = true;
    QStringList folders_;
    QSoundEffect* effect_ = nullptr;
};

inline void PlayWave(const QString& name) { TSoundPlayer::Instance().Play(name); }

}  // namespace vorlix
