#pragma once

class QWidget;

// Keeps a window above all normal windows, or returns it to the normal stacking order, without
// moving, resizing or re-creating it.
class WindowStacking {
public:
    virtual ~WindowStacking() = default;
    virtual void makeTopMost(QWidget& window) = 0;
    virtual void makeNormal(QWidget& window) = 0;
};

// Through the window manager's keep-above state on X11. Before the window is first shown the
// state travels with Qt's stay-on-top hint; elsewhere a shown window keeps its stacking.
class DesktopWindowStacking final : public WindowStacking {
public:
    void makeTopMost(QWidget& window) override;
    void makeNormal(QWidget& window) override;
};
