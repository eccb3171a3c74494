#include "helpwindow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>

HelpWindow::HelpWindow(QString helpFile) : helpFile_(std::move(helpFile)) {}

HelpWindow::~HelpWindow()
{
    delete browser_;
}

QString HelpWindow::anchorOf(int topic)
{
    return QStringLiteral("topic-") + QString::number(topic);
}

QWidget* HelpWindow::window() const
{
    return browser_;
}

void HelpWindow::open(int topic)
{
    if (!browser_) {
        // A top-level window of its own, so that the program's windows stay usable beside it.
        browser_ = new QTextBrowser;
        browser_->setObjectName(QStringLiteral("HelpWindow"));
        browser_->setAttribute(Qt::WA_DeleteOnClose);
        browser_->setWindowTitle(QObject::tr("Vexlo Help"));
        browser_->setOpenExternalLinks(false);
        browser_->resize(560, 480);
    }

    QFile file(helpFile_);
    if (file.open(QIODevice::ReadOnly)) {
        browser_->setSearchPaths({QFileInfo(helpFile_).absolutePath()});
        browser_->setHtml(QString::fromUtf8(file.readAll()));
        browser_->scrollToAnchor(anchorOf(topic));
    } else {
        browser_->setPlainText(QObject::tr("The help file %1 could not be opened.\n\n"
                                           "Reinstall the program to get it back.")
                                   .arg(QDir::toNativeSeparators(helpFile_)));
    }
    // A help window the user minimised comes back as it was before (maximised stays
    // maximised); show() alone leaves a minimised window in the task bar.
    browser_->setWindowState(browser_->windowState() & ~Qt::WindowMinimized);
    browser_->show();
    browser_->raise();
    browser_->activateWindow();
}
