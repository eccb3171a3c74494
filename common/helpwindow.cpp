#include "helpwindow.h"

#include "desktopnotifier.h"
#include "helpmarkup.h"
#include "regularfile.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>

#include <optional>

namespace {

// A picture of the help is read whole and decoded in the window's thread: a few of them fit
// within these without holding the countdowns up.
constexpr qint64 kMaxPictureBytes = 4 * 1024 * 1024;
constexpr qint64 kMaxPictureMemory = 64 * 1024 * 1024; // decoded, for all pictures of a page

// The help file or a page it links, as markup Qt can show at once; nothing when it is no
// regular file, too long, or too costly to lay out.
std::optional<QString> readHelpPage(const QString& path)
{
    const std::optional<QByteArray> bytes = readRegularFile(path, kMaxHelpBytes);
    if (!bytes)
        return std::nullopt;
    return tameHelpMarkup(QString::fromUtf8(*bytes));
}

// Loads what a help page refers to only from regular files inside the help file's folder,
// within limits: QTextBrowser's own loader would read a FIFO or /dev/zero without end.
class HelpBrowser final : public QTextBrowser {
public:
    void showPage(const QString& folder, const QString& html)
    {
        folder_ = QFileInfo(folder).canonicalFilePath();
        pictureMemoryLeft_ = kMaxPictureMemory;
        setHtml(html);
    }

    // Whatever is refused is answered with an empty value rather than none, on which Qt would
    // try to read the file itself.
    QVariant loadResource(int type, const QUrl& name) override
    {
        const QString file = fileInFolder(name);
        switch (type) {
        case QTextDocument::ImageResource:
            return picture(file);
        case QTextDocument::HtmlResource:
            return readHelpPage(file).value_or(QString());
        case QTextDocument::StyleSheetResource:
            return QString::fromUtf8(readRegularFile(file, kMaxHelpBytes).value_or(QByteArray()));
        default:
            return QByteArray();
        }
    }

private:
    // The file `name` stands for, when it lies inside the help file's folder; empty otherwise.
    QString fileInFolder(const QUrl& name) const
    {
        QString path;
        if (name.scheme().isEmpty())
            path = QDir(folder_).filePath(name.path(QUrl::FullyDecoded));
        else if (name.isLocalFile())
            path = name.toLocalFile();
        // Links resolved: one that leads out of the folder counts as outside.
        const QString real = path.isEmpty() ? QString() : QFileInfo(path).canonicalFilePath();
        if (folder_.isEmpty() || !real.startsWith(folder_ + u'/'))
            return {};
        return real;
    }

    // A refused picture is drawn as nothing: Qt would put a "missing picture" icon in its place.
    QImage picture(const QString& file)
    {
        const std::optional<QByteArray> bytes = readRegularFile(file, kMaxPictureBytes);
        if (!bytes)
            return nothing();
        QByteArray encoded = *bytes;
        QBuffer buffer(&encoded);
        QImageReader reader(&buffer);
        const QSize size = reader.size();
        const qint64 memory = qint64(size.width()) * size.height() * 4;
        if (size.isEmpty() || memory > pictureMemoryLeft_)
            return nothing();
        pictureMemoryLeft_ -= memory;
        const QImage image = reader.read();
        return image.isNull() ? nothing() : image;
    }

    static QImage nothing()
    {
        QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        return image;
    }

    QString folder_;
    qint64 pictureMemoryLeft_ = 0;
};

} // namespace

void HelpWindow::open(int topic)
{
    if (!browser_) {
        // A top-level window of its own, so that the program's windows stay usable beside it.
        browser_ = new HelpBrowser;
        browser_->setObjectName(QStringLiteral("HelpWindow"));
        browser_->setAttribute(Qt::WA_DeleteOnClose);
        browser_->setWindowTitle(QObject::tr("Vexlo Help"));
        browser_->setOpenExternalLinks(false);
        browser_->resize(560, 480);
    }

    // A help file that cannot be shown at once (a FIFO, a device, a huge or deeply nested
    // file) is as good as missing: it would hold the countdowns up.
    if (const std::optional<QString> html = readHelpPage(helpFile_)) {
        static_cast<HelpBrowser*>(browser_.data())
            ->showPage(QFileInfo(helpFile_).absolutePath(), *html);
        browser_->scrollToAnchor(anchorOf(topic));
    } else {
        browser_->setPlainText(QObject::tr("The help file %1 could not be opened.\n\n"
                                           "Reinstall the program to get it back.")
                                   .arg(QDir::toNativeSeparators(helpFile_)));
    }
    // A help window the user minimised comes back as it was before (maximised stays
    // maximised); show() alone leaves a minimised window in the task bar.
    DesktopNotifier::bringToFront(browser_);
}
