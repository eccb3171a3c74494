#pragma once

#include <QList>
#include <QString>

#include <optional>

// One way the display can run: its size in pixels and its colour bits.
struct DisplayMode {
    int width = 0;
    int height = 0;
    int bits = 0;

    // "1024x768x32"
    QString text() const;
    friend bool operator==(const DisplayMode&, const DisplayMode&) = default;
};

// The display's modes and the switch between them.
class DisplayModes {
public:
    // What a change gives back, as the colour-display dialog reports it.
    enum Result : int {
        Changed = 0,
        NeedsRestart = 1, // a different colour depth: only a new display session brings it
        Failed = -1,
        BadMode = -2,
    };

    virtual ~DisplayModes() = default;
    // Every mode in the order the display offers them; the same size may come more than once
    // (other refresh rates).
    virtual QList<DisplayMode> list() = 0;
    virtual std::optional<DisplayMode> current() = 0;
    // Switches to entry `index` of list(); one of Result or another negative code.
    virtual int change(int index) = 0;
};

// X11 with RandR: every output mode, at the depth the screen runs at. Without X11, the screen's
// current mode alone.
class DesktopDisplayModes final : public DisplayModes {
public:
    QList<DisplayMode> list() override;
    std::optional<DisplayMode> current() override;
    int change(int index) override;

private:
    struct Entry {
        DisplayMode mode;
        quint32 modeId = 0; // RandR mode; 0 without RandR
    };
    QList<Entry> load();

    QList<Entry> entries_;
};
