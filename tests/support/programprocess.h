#pragma once

#include "settingsstore.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>

#include <functional>

// A built program started as a user would start it, from a home folder of its own, with its
// settings store under that folder and Qt's offscreen platform.
class ProgramProcess {
public:
    explicit ProgramProcess(const QString& program)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", home.path());
        env.insert("XDG_CONFIG_HOME", home.path() + "/.config");
        env.insert("QT_QPA_PLATFORM", "offscreen");
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(home.path());
        process.setProgram(program);
    }

    ~ProgramProcess()
    {
        process.kill();
        process.waitForFinished(5000);
    }

    IniSettingsStore store() const { return IniSettingsStore(home.path() + "/.config"); }

    // Starts the program and waits until it has stored `key`, as a first start does.
    bool startUntilStored(const QString& key)
    {
        process.start();
        if (!process.waitForStarted())
            return false;
        const IniSettingsStore settings = store();
        return waitFor([&] { return !settings.get(key).isEmpty(); });
    }

    // Waits until `done` holds or the program ends; true when it held.
    bool waitFor(const std::function<bool()>& done, int timeoutMs = 30000)
    {
        const QDeadlineTimer deadline(timeoutMs);
        while (!deadline.hasExpired()) {
            if (done())
                return true;
            if (process.state() == QProcess::NotRunning)
                return done();
            process.waitForFinished(100);
        }
        return done();
    }

    QTemporaryDir home;
    QProcess process;
};
