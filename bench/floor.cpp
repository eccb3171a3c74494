// The floor the family is measured against: the smallest Qt Widgets window that does what a
// timer does, one label redrawn by a 950 ms timer. Like any timer it shows its time from the
// first frame: a window that draws no text at first never loads its fonts before it is seen.
//     bench_floor [--full-screen]
// With --full-screen the same label covers the screen, black, as FullScreenVexlo's window does:
// what a first frame of the screen's size costs on its own.
#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTime>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLabel label;
    label.setWindowTitle(QStringLiteral("Floor"));
    label.resize(230, 60);
    const auto showTime = [&label] { label.setText(QTime::currentTime().toString()); };
    showTime();
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &label, showTime);
    timer.start(950);
    if (QApplication::arguments().contains(QStringLiteral("--full-screen"))) {
        QPalette dark = label.palette();
        dark.setColor(QPalette::Window, Qt::black);
        dark.setColor(QPalette::WindowText, Qt::white);
        label.setPalette(dark);
        label.setAutoFillBackground(true);
        label.setGeometry(label.screen()->geometry());
        label.showFullScreen();
    } else {
        label.show();
    }
    return app.exec();
}
