// The floor the family is measured against: the smallest Qt Widgets window that does what a
// timer does, one label redrawn by a 950 ms timer.
#include <QApplication>
#include <QLabel>
#include <QTime>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLabel label;
    label.setWindowTitle(QStringLiteral("Floor"));
    label.resize(230, 60);
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &label,
                     [&label] { label.setText(QTime::currentTime().toString()); });
    timer.start(950);
    label.show();
    return app.exec();
}
