#pragma once

#include "helpviewer.h"

#include <QPointer>
#include <QString>

#include <QTextBrowser>
#include <utility>

class QWidget;

// Shows Vexlo.hlp, an HTML file with one anchor per topic ("topic-203"), in a window of its own
// that stays open beside the program. A second request reuses the window.
class HelpWindow final : public HelpViewer {
public:
    // `helpFile` is the full path of Vexlo.hlp.
    explicit HelpWindow(QString helpFile) : helpFile_(std::move(helpFile)) {}
    ~HelpWindow() override { delete browser_; }

    void open(int topic) override;

    // The viewer's window, once a topic was opened.
    QWidget* window() const { return browser_; }
    QTextBrowser* browser() const { return browser_; }

    static QString anchorOf(int topic) { return QStringLiteral("topic-") + QString::number(topic); }

private:
    QString helpFile_;
    QPointer<QTextBrowser> browser_;
};
