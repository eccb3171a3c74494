#include "helpwindow.h"
#include "qtprinters.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMap>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

const QString kHelpFile = QStringLiteral(VEXLO_PROGRAM_DIR "Vexlo.hlp");

struct Topic {
    int number;
    const char* heading;
};

// Every topic the programs open, with the heading the reader should see first.
const Topic kTopics[] = {
    {200, "Options and About"},       // Vexlo's options Help, Pellum's and Date Vexlo's About
    {201, "Using Vexlo"},             // Help Using Vexlo, Vexlo's About Help
    {202, "Using Pellum"},            // Help Using Pellum
    {203, "Using Date Vexlo"},        // Help Using Date Vexlo
    {204, "Using Full Screen Vexlo"}, // its menu and its About window
    {210, "Full Screen Vexlo Options"},
    {213, "Pellum Options"},
};

QString readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

bool writeFile(const QString& path, const QString& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0;
}

// The named anchors of a loaded document and the blocks that carry them. An empty <a name>
// before a heading ends up on the heading's block format, an id or an <a name> inside the
// heading on one of its fragments; scrollToAnchor looks in both places.
QMultiMap<QString, QTextBlock> anchorBlocks(const QTextDocument& document)
{
    QMultiMap<QString, QTextBlock> found;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QStringList names;
        if (block.charFormat().isAnchor())
            names += block.charFormat().anchorNames();
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isAnchor())
                names += format.anchorNames();
        }
        names.removeDuplicates();
        for (const QString& name : names)
            found.insert(name, block);
    }
    return found;
}

// The links of a loaded document: target and position of the link's first character.
QList<std::pair<QString, int>> links(const QTextDocument& document)
{
    QList<std::pair<QString, int>> found;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isAnchor() && !format.anchorHref().isEmpty())
                found.append({format.anchorHref(), it.fragment().position()});
        }
    return found;
}

// The heading of `anchor` must be in view, at the top of the viewport unless the document
// cannot scroll any further.
void expectHeadingOnTop(QTextBrowser* browser, const QString& anchor, const QString& heading)
{
    const QList<QTextBlock> blocks = anchorBlocks(*browser->document()).values(anchor);
    ASSERT_EQ(blocks.size(), 1) << anchor.toStdString();
    EXPECT_EQ(blocks.front().text().trimmed(), heading);

    const QRectF rect = browser->document()->documentLayout()->blockBoundingRect(blocks.front());
    const QScrollBar* bar = browser->verticalScrollBar();
    const double top = rect.top() - bar->value();
    EXPECT_GE(top, -1.0) << "heading scrolled past, at " << top;
    EXPECT_LE(top + rect.height(), browser->viewport()->height() + 1.0)
        << "heading below the viewport, at " << top;
    if (bar->value() < bar->maximum()) {
        EXPECT_LT(top, rect.height()) << "heading not at the top, at " << top;
    }
}

void processDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

TEST(HelpFile, HoldsEveryTopicExactlyOnce)
{
    const QString html = readAll(kHelpFile);
    ASSERT_FALSE(html.isEmpty()) << kHelpFile.toStdString();

    // In the text: each topic anchor written once, in either of the forms the viewer finds.
    for (const Topic& topic : kTopics) {
        const QRegularExpression written(
            QStringLiteral(R"((?:name|id)\s*=\s*["']topic-%1["'])").arg(topic.number));
        EXPECT_EQ(html.count(written), 1) << topic.number;
    }

    // As the viewer reads it: one block per topic, starting with the topic's heading, and no
    // topic the programs never open (a mistyped number would leave its program at the top).
    QTextDocument document;
    document.setHtml(html);
    const QMultiMap<QString, QTextBlock> anchors = anchorBlocks(document);
    QStringList expected;
    for (const Topic& topic : kTopics) {
        const QString anchor = HelpWindow::anchorOf(topic.number);
        expected += anchor;
        const QList<QTextBlock> blocks = anchors.values(anchor);
        ASSERT_EQ(blocks.size(), 1) << topic.number;
        EXPECT_EQ(blocks.front().text().trimmed(), QString::fromUtf8(topic.heading));
        EXPECT_EQ(blocks.front().blockFormat().headingLevel(), 2) << topic.number;
    }
    QStringList topicAnchors = anchors.uniqueKeys().filter(QRegularExpression("^topic-"));
    topicAnchors.sort();
    expected.sort();
    EXPECT_EQ(topicAnchors, expected);
}

TEST(HelpFile, LinksOnlyWithinItselfAndListsEveryTopic)
{
    QTextDocument document;
    document.setHtml(readAll(kHelpFile));
    const QMultiMap<QString, QTextBlock> anchors = anchorBlocks(document);
    const auto found = links(document);
    ASSERT_FALSE(found.isEmpty());

    QStringList targets;
    for (const auto& [href, position] : found) {
        targets += href;
        ASSERT_TRUE(href.startsWith(u'#')) << "link out of the file: " << href.toStdString();
        EXPECT_TRUE(anchors.contains(href.mid(1))) << "link to nothing: " << href.toStdString();
    }
    for (const Topic& topic : kTopics)
        EXPECT_TRUE(targets.contains(u'#' + HelpWindow::anchorOf(topic.number))) << topic.number;

    // No pictures: the file has to read the same wherever it is copied.
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            EXPECT_FALSE(it.fragment().charFormat().isImageFormat()) << block.text().toStdString();
}

TEST(HelpWindow, OpensEachTopicAtItsHeadingBesideTheProgram)
{
    for (const Topic& topic : kTopics) {
        SCOPED_TRACE(topic.number);
        HelpWindow help(kHelpFile);
        help.open(topic.number);

        QWidget* window = help.window();
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->isWindow());
        EXPECT_TRUE(window->isVisible());
        EXPECT_FALSE(window->isModal());
        EXPECT_EQ(window->windowModality(), Qt::NonModal);
        EXPECT_FALSE(help.browser()->toPlainText().contains("could not be opened"));
        expectHeadingOnTop(help.browser(), HelpWindow::anchorOf(topic.number),
                           QString::fromUtf8(topic.heading));
    }
}

TEST(HelpWindow, ReusesItsWindowForEveryLaterTopic)
{
    HelpWindow help(kHelpFile);
    help.open(203);
    QWidget* const first = help.window();
    ASSERT_NE(first, nullptr);

    // Back and forth through the file while the window is up; 999 is no topic of the file and
    // shows the contents at the top.
    const int sequence[] = {213, 200, 204, 999, 201, 210, 202, 203};
    for (const int number : sequence) {
        SCOPED_TRACE(number);
        help.open(number);
        EXPECT_EQ(help.window(), first);
        EXPECT_TRUE(first->isVisible());
        const auto topic = std::find_if(std::begin(kTopics), std::end(kTopics),
                                        [number](const Topic& t) { return t.number == number; });
        if (topic == std::end(kTopics)) {
            EXPECT_EQ(help.browser()->verticalScrollBar()->value(), 0);
        } else {
            expectHeadingOnTop(help.browser(), HelpWindow::anchorOf(number),
                               QString::fromUtf8(topic->heading));
        }
    }

    int helpWindows = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        helpWindows += widget->objectName() == "HelpWindow" && widget->isVisible() ? 1 : 0;
    EXPECT_EQ(helpWindows, 1);
}

TEST(HelpWindow, ContentsLinksLeadToTheirTopics)
{
    HelpWindow help(kHelpFile);
    help.open(202);
    QTextBrowser* browser = help.browser();

    for (const Topic& topic : kTopics) {
        SCOPED_TRACE(topic.number);
        browser->verticalScrollBar()->setValue(0);
        const QString target = u'#' + HelpWindow::anchorOf(topic.number);
        const auto found = links(*browser->document());
        const auto link = std::find_if(found.begin(), found.end(),
                                       [&](const auto& l) { return l.first == target; });
        ASSERT_NE(link, found.end());

        QTextCursor cursor(browser->document());
        cursor.setPosition(link->second + 1);
        const QPoint point = browser->cursorRect(cursor).center();
        ASSERT_TRUE(browser->viewport()->rect().contains(point));
        const QPointF global = browser->viewport()->mapToGlobal(QPointF(point));
        QMouseEvent press(QEvent::MouseButtonPress, point, global, Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, point, global, Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(browser->viewport(), &press);
        QApplication::sendEvent(browser->viewport(), &release);

        EXPECT_FALSE(browser->toPlainText().isEmpty()) << "the link replaced the page";
        expectHeadingOnTop(browser, HelpWindow::anchorOf(topic.number),
                           QString::fromUtf8(topic.heading));
    }
}

TEST(HelpWindow, ComesBackWhenTheUserPutItAway)
{
    struct Case {
        const char* name;
        void (*putAway)(QWidget*);
        Qt::WindowStates afterwards;
    };
    const Case cases[] = {
        {"closed",
         [](QWidget* w) {
             w->close();
             processDeferredDeletes();
         },
         Qt::WindowNoState},
        {"minimised", [](QWidget* w) { w->setWindowState(Qt::WindowMinimized); },
         Qt::WindowNoState},
        {"maximised, then minimised",
         [](QWidget* w) { w->setWindowState(Qt::WindowMaximized | Qt::WindowMinimized); },
         Qt::WindowMaximized},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HelpWindow help(kHelpFile);
        help.open(201);
        c.putAway(help.window());

        help.open(204);
        ASSERT_NE(help.window(), nullptr);
        EXPECT_TRUE(help.window()->isVisible());
        EXPECT_EQ(help.window()->windowState() & ~Qt::WindowActive, c.afterwards);
        expectHeadingOnTop(help.browser(), HelpWindow::anchorOf(204),
                           QStringLiteral("Using Full Screen Vexlo"));
    }
}

TEST(HelpWindow, SaysPlainlyWhenTheHelpFileCannotBeOpened)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    struct Case {
        const char* name;
        QString path;
    };
    const Case cases[] = {
        {"missing file", folder.filePath("Vexlo.hlp")},
        {"missing folder", folder.filePath("gone/Vexlo.hlp")},
        {"a folder", folder.path()},
        {"markup in the name", folder.filePath("<b>Vexlo</b> & co.hlp")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HelpWindow help(c.path);
        help.open(201);

        ASSERT_NE(help.window(), nullptr);
        EXPECT_TRUE(help.window()->isVisible());
        const QString text = help.browser()->toPlainText();
        EXPECT_TRUE(text.contains("could not be opened")) << text.toStdString();
        EXPECT_TRUE(text.contains(QDir::toNativeSeparators(c.path))) << text.toStdString();
        EXPECT_TRUE(anchorBlocks(*help.browser()->document()).isEmpty());
    }

    // Once the file is there, the same window shows it.
    HelpWindow help(folder.filePath("Vexlo.hlp"));
    help.open(201);
    QWidget* const window = help.window();
    ASSERT_TRUE(QFile::copy(kHelpFile, folder.filePath("Vexlo.hlp")));
    help.open(201);
    EXPECT_EQ(help.window(), window);
    expectHeadingOnTop(help.browser(), HelpWindow::anchorOf(201), QStringLiteral("Using Vexlo"));
}

TEST(HelpWindow, FindsEitherWayOfWritingATopicAnchor)
{
    // The heading carries a non-ASCII letter: the file is read as UTF-8.
    const QString heading = QStringLiteral("Seven \u2013 S\u00fc\u00df");
    struct Case {
        const char* name;
        QString topicHtml;
    };
    const Case cases[] = {
        {"empty a name before the heading",
         QStringLiteral("<a name=\"topic-7\"></a><h2>%1</h2>").arg(heading)},
        {"id on the heading", QStringLiteral("<h2 id=\"topic-7\">%1</h2>").arg(heading)},
        {"a name inside the heading",
         QStringLiteral("<h2><a name=\"topic-7\"></a>%1</h2>").arg(heading)},
    };
    QString filler;
    for (int i = 1; i <= 60; ++i)
        filler += QStringLiteral("<p>Paragraph %1 of the text around the topic.</p>\n").arg(i);

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir folder;
        ASSERT_TRUE(folder.isValid());
        const QString path = folder.filePath("Vexlo.hlp");
        ASSERT_TRUE(writeFile(path, QStringLiteral("<html><body><h1>Help</h1>\n") + filler +
                                        c.topicHtml + filler + QStringLiteral("</body></html>")));
        HelpWindow help(path);
        help.open(7);
        EXPECT_GT(help.browser()->verticalScrollBar()->value(), 0);
        expectHeadingOnTop(help.browser(), HelpWindow::anchorOf(7), heading);
    }
}

// Help or a picture that would hold the window, and the countdowns with it: a FIFO, a device, a
// file far too long, markup nested deeper than Qt lays out in time. The help says it cannot be
// opened or goes without the picture; only a picture inside the help's folder is shown.
TEST(HelpWindow, ShowsNothingThatWouldHoldTheWindow)
{
    QTemporaryDir folder;
    QTemporaryDir elsewhere;
    ASSERT_TRUE(folder.isValid() && elsewhere.isValid());
    QImage picture(6, 4, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(folder.filePath("inside.png")));
    ASSERT_TRUE(picture.save(elsewhere.filePath("outside.png")));
    for (const char* fifo : {"fifo.png", "fifo.hlp"})
        ASSERT_EQ(::mkfifo(QFile::encodeName(folder.filePath(fifo)).constData(), 0600), 0);

    const auto page = [](const QString& body) {
        return QStringLiteral("<html><body><h2 id=\"topic-7\">Seven</h2>%1</body></html>")
            .arg(body);
    };
    const auto withPicture = [&](const QString& src) {
        return page(QStringLiteral("<p><img src=\"%1\"></p>").arg(src));
    };
    struct Case {
        const char* name;
        QString file;    // in `folder`
        QString html;    // written to it unless empty
        QString picture; // the picture shown, if any, with its size
        bool shown;
    };
    const Case cases[] = {
        {"a FIFO as the help file", "fifo.hlp", {}, {}, false},
        {"20,000 nested tables",
         "Vexlo.hlp",
         QStringLiteral("<table><tr><td>").repeated(20000) + page({}),
         {},
         false},
        // Qt reads the '>' as part of the title, so every div stays open.
        {"20,000 divs hiding their ends in a title",
         "Vexlo.hlp",
         QStringLiteral("<div title=\"></div>\">").repeated(20000) + page({}),
         {},
         false},
        {"a picture from /dev/zero", "Vexlo.hlp", withPicture("/dev/zero"), "/dev/zero", false},
        {"a FIFO as a picture", "Vexlo.hlp", withPicture("fifo.png"), "fifo.png", false},
        {"a picture outside the folder", "Vexlo.hlp",
         withPicture(elsewhere.filePath("outside.png")), elsewhere.filePath("outside.png"), false},
        {"a picture beside the help", "Vexlo.hlp", withPicture("inside.png"), "inside.png", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = folder.filePath(c.file);
        if (!c.html.isEmpty()) {
            ASSERT_TRUE(writeFile(path, c.html));
        }
        HelpWindow help(path);
        help.open(7);

        ASSERT_TRUE(help.window()->isVisible());
        const bool refused = help.browser()->toPlainText().contains("could not be opened");
        EXPECT_EQ(refused, c.picture.isEmpty());
        if (!c.picture.isEmpty()) {
            const QImage drawn = help.browser()
                                     ->document()
                                     ->resource(QTextDocument::ImageResource, QUrl(c.picture))
                                     .value<QImage>();
            EXPECT_EQ(drawn.size() == picture.size(), c.shown);
        }
    }

    // A file too long to be help is not read at all.
    QFile huge(folder.filePath("huge.hlp"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.write(page({}).toUtf8()) > 0 &&
                huge.resize(66 * 1024 * 1024));
    huge.close();
    HelpWindow help(huge.fileName());
    help.open(7);
    EXPECT_TRUE(help.browser()->toPlainText().contains("could not be opened"));
}
