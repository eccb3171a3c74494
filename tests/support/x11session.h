#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>

#include <memory>

// A private X server (Xvfb) with a real window manager (openbox), for the tests that need what
// only a desktop does: stacking, placement by the window manager, display modes. Both stop with
// the object.
class X11Session {
public:
    X11Session();
    ~X11Session();

    bool running() const { return !display_.isEmpty(); }
    // ":93"
    QString display() const { return display_; }
    QString error() const { return error_; }

private:
    // Starts openbox on the new display; true once it manages the screen.
    bool startWindowManager(const QProcessEnvironment& env);
    static bool windowManagerAnnounced(const QProcessEnvironment& env);
    // Maps a window of its own and waits until the window manager lists it as managed.
    bool managesNewWindows(const QProcessEnvironment& env);

    std::unique_ptr<QProcess> server_;
    std::unique_ptr<QProcess> windowManager_;
    QString display_;
    QString error_;
};
