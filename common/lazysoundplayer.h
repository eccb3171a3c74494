#pragma once

#include "soundplayer.h"

#include <QObject>
#include <QString>
#include <QStringList>

// The family's sound output, loaded at the first sound: the module that decodes and plays
// (AudioSoundPlayer) brings in libraries that would take longer to load than the rest of a
// program's start. Without the module a sound is the desktop's beep, and a warning says why.
class LazySoundPlayer final : public QObject, public SoundPlayer {
    Q_OBJECT
public:
    // `folder` is the program folder, ending in "/"; the module is the first of `modules` that
    // loads.
    LazySoundPlayer(QString folder, QStringList modules, QObject* parent);

    // Where an installed or freshly built program finds the module: beside itself, or in the
    // library folder of its installation.
    static QStringList moduleCandidates();

    void play(const QString& path) override;
    // Loads the module, so that the sound to come does not wait for it.
    void prepare(const QString& path) override;
    // Without the module a sound is the beep, which is heard as long as the desktop is.
    bool audible() const override { return player_ ? player_->audible() : true; }

    // Whether the module is loaded; after a first sound, why it is not.
    bool loaded() const { return player_ != nullptr; }
    QString loadError() const { return loadError_; }

private:
    // Loads the sound module at the first call; later calls keep what that one found.
    void load();

    QString folder_;
    QStringList modules_;
    SoundPlayer* player_ = nullptr; // a child of this object, made by the module
    bool tried_ = false;
    QString loadError_;
};
