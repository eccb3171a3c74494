#include "lazysoundplayer.h"

#include "soundmodule.h"

#include <QApplication>
#include <QDir>
#include <QLibrary>
#include <QtDebug>

#include <utility>

LazySoundPlayer::LazySoundPlayer(QString folder, QStringList modules, QObject* parent)
    : QObject(parent), folder_(std::move(folder)), modules_(std::move(modules))
{
}

QStringList LazySoundPlayer::moduleCandidates()
{
    const QDir bin(QCoreApplication::applicationDirPath());
    return {bin.filePath(kSoundModuleFile),
            QDir::cleanPath(bin.filePath(QStringLiteral(VEXLO_SOUND_MODULE_FROM_BIN) + u'/' +
                                         kSoundModuleFile))};
}

void LazySoundPlayer::play(const QString& path)
{
    load();
    if (player_)
        player_->play(path);
    else
        QApplication::beep();
}

void LazySoundPlayer::prepare(const QString& path)
{
    load();
    if (player_)
        player_->prepare(path);
}

void LazySoundPlayer::load()
{
    if (tried_)
        return;
    tried_ = true;
    QStringList problems;
    for (const QString& file : std::as_const(modules_)) {
        // Never unloaded: the player it makes lives as long as this object.
        QLibrary module(file);
        const auto create = reinterpret_cast<CreateSoundPlayer>(module.resolve(kCreateSoundPlayer));
        if (create) {
            player_ = create(folder_, this);
            return;
        }
        problems.append(module.errorString());
    }
    loadError_ = problems.isEmpty() ? tr("No sound module was named.") : problems.join(u'\n');
    qWarning().noquote() << "Sounds play as the desktop's beep: the sound module did not load."
                         << loadError_;
}
