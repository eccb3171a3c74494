#include "accessibilitychecks.h"
#include "digitdisplay.h"
#include "familywindows.h"
#include "fullscreenkeys.h"
#include "tempstore.h"
#include "twips.h"

#include <QImage>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using digits::kBlank;
using digits::kSeparator;
using digits::kZero;

TEST(DigitPairs, HoursHaveABlankAndMinutesAZeroInFrontOfOneDigit)
{
    struct Case {
        qint64 value;
        digits::Pair hours;
        digits::Pair padded;
    };
    const Case cases[] = {
        {0, {kBlank, kZero}, {kZero, kZero}},
        {1, {kBlank, 1}, {kZero, 1}},
        {9, {kBlank, 9}, {kZero, 9}},
        {10, {1, kZero}, {1, kZero}},
        {15, {1, 5}, {1, 5}},
        {24, {2, 4}, {2, 4}},
        {59, {5, 9}, {5, 9}},
        {90, {9, kZero}, {9, kZero}},
        // Three digits never come from a timer; the first and the last are shown.
        {120, {1, kZero}, {1, kZero}},
        {-7, {kBlank, kZero}, {kZero, kZero}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(digits::hoursPair(c.value), c.hours) << c.value;
        EXPECT_EQ(digits::paddedPair(c.value), c.padded) << c.value;
    }
    EXPECT_EQ(digits::pictureOf(u'0'), kZero);
    EXPECT_EQ(digits::pictureOf(u'7'), 7);
    for (const QChar other :
         {QChar(u' '), QChar(u'-'), QChar(u'a'), QChar(0x0661)}) // 0x0661: ARABIC-INDIC ONE
        EXPECT_EQ(digits::pictureOf(other), kBlank);
}

namespace {

// A plain look, upright and without outline or unlit segments, so every opaque pixel is ink.
const DigitLook kPlain{Qt::white, Qt::transparent, Qt::transparent, 0.2, 0};

// Which of seven zones of a picture hold ink: top, upper right, lower right, bottom, lower
// left, upper left, middle. The zones lie where a reader expects each stroke of a digit.
QString inkZones(const QImage& image)
{
    const int w = image.width();
    const int h = image.height();
    struct Zone {
        double left, top, right, bottom;
    };
    const Zone zones[] = {
        {0.35, 0.0, 0.65, 0.15},  {0.7, 0.2, 1.0, 0.4}, {0.7, 0.6, 1.0, 0.8},
        {0.35, 0.85, 0.65, 1.0},  {0.0, 0.6, 0.3, 0.8}, {0.0, 0.2, 0.3, 0.4},
        {0.35, 0.45, 0.65, 0.55},
    };
    QString lit;
    for (int z = 0; z < 7; ++z) {
        bool inked = false;
        for (int y = int(zones[z].top * h); y < int(zones[z].bottom * h) && !inked; ++y)
            for (int x = int(zones[z].left * w); x < int(zones[z].right * w) && !inked; ++x)
                inked = qAlpha(image.pixel(x, y)) > 128;
        lit += inked ? QChar(u'a' + z) : u'-';
    }
    return lit;
}

QRect inkBounds(const QImage& image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

} // namespace

TEST(ImageList, EachPictureShowsItsDigitAtEverySize)
{
    // The seven-segment strokes a reader sees in each picture, 1 to 12.
    const QString expected[] = {"-bc----", "ab-de-g", "abcd--g", "-bc--fg", "a-cd-fg", "a-cdefg",
                                "abc----", "abcdefg", "abcd-fg", "abcdef-", "-------", "-------"};
    const ImageList list(kPlain);
    // The small window's digit, a large one, and a full screen's digit on a high-DPI screen.
    const QSize sizes[] = {{20, 50}, {60, 110}, {167, 300}};
    for (const QSize size : sizes) {
        for (qreal dpr : {1.0, 2.0}) {
            for (int index = 1; index <= 12; ++index) {
                const QPixmap pixmap = list.picture(index, size, dpr);
                EXPECT_EQ(pixmap.deviceIndependentSize().toSize(), size);
                EXPECT_EQ(pixmap.size(), size * dpr);
                const QImage image = pixmap.toImage();
                EXPECT_EQ(inkZones(image), expected[index - 1])
                    << "picture " << index << " at " << size.width() << "x" << size.height()
                    << " dpr " << dpr;
                if (index == 8) {
                    // A digit fills its box, with a margin so neighbours never touch.
                    const QRect ink = inkBounds(image);
                    EXPECT_GT(ink.width(), image.width() * 0.7);
                    EXPECT_GT(ink.height(), image.height() * 0.8);
                    EXPECT_GT(ink.left(), 0);
                    EXPECT_LT(ink.right(), image.width() - 1);
                }
            }
            // The separator: two dots in the middle column, one above and one below the middle.
            const QImage colon = list.picture(kSeparator, size, dpr).toImage();
            const QRect dots = inkBounds(colon);
            EXPECT_LT(dots.width(), colon.width() / 2);
            EXPECT_NEAR(dots.center().x(), colon.width() / 2.0, colon.width() * 0.1);
            EXPECT_EQ(qAlpha(colon.pixel(colon.width() / 2, colon.height() / 2)), 0);
            EXPECT_TRUE(inkBounds(list.picture(kBlank, size, dpr).toImage()).isNull());
        }
    }
}

TEST(ImageList, TheBlankAndNumbersOutsideTheListPaintNothing)
{
    // Every look: those with faint unlit segments too, which a blank must not show.
    for (const DigitLook& look :
         {digitlooks::imageList1(), digitlooks::imageList2(), digitlooks::imageList3()}) {
        const ImageList list(look);
        for (int index : {-1, 0, int(kBlank), 13, 100})
            EXPECT_TRUE(inkBounds(list.picture(index, {30, 60}).toImage()).isNull()) << index;
        EXPECT_TRUE(inkBounds(list.picture(8, {0, 0}).toImage()).isNull());
    }
}

TEST(ImageList, SecondsStandApartAndEveryLookLightsItsDigits)
{
    const DigitLook looks[] = {digitlooks::imageList1(), digitlooks::imageList2(),
                               digitlooks::imageList3()};
    for (int i = 0; i < 3; ++i) {
        for (int j = i + 1; j < 3; ++j)
            EXPECT_NE(looks[i].ink, looks[j].ink) << i + 1 << " and " << j + 1;
        // Each look shows its digits unmistakably: its ink, and unlit strokes only faintly.
        const QImage eight = ImageList(looks[i]).picture(8, {40, 100}).toImage();
        const QImage one = ImageList(looks[i]).picture(1, {40, 100}).toImage();
        const QPoint middle(20, 50);
        EXPECT_EQ(QColor(eight.pixel(middle)).rgb(), looks[i].ink.rgb()) << i + 1;
        EXPECT_LT(qAlpha(one.pixel(middle)), 64) << i + 1;
    }
}

TEST(ImageList, Image9StandsClearOfTheDigitBeforeIt)
{
    QImage image(14, 50, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paintImage9(painter, QRectF(0, 0, 14, 50));
    painter.end();
    const QRect ink = inkBounds(image);
    ASSERT_FALSE(ink.isNull());
    EXPECT_GE(ink.left(), 3);
    EXPECT_LT(ink.right(), 14);
    EXPECT_GT(ink.top(), 20); // on the digits' baseline, the lower half
}

// A display as the small windows build theirs: hours, minutes and seconds with a separator
// between them, and a picture of its own at the end.
class DigitDisplayTest : public ::testing::Test {
protected:
    QWidget window;
    DigitDisplay* row = new DigitDisplay(
        &window, DigitDisplay::smallRow({300, 330, 3100, 3310, DigitDisplay::Shows::Hourglass}),
        {digitlooks::imageList1(), digitlooks::imageList2()});
};

TEST_F(DigitDisplayTest, ReadsAsTheTimeItShows)
{
    const struct {
        durations::Parts time;
        QString read;
    } cases[] = {
        {{0, 4, 59}, "0:04:59"},    {{0, 0, 0}, "0:00:00"},
        {{1, 15, 0}, "1:15:00"},    {{24, 0, 59}, "24:00:59"},
        {{10, 59, 58}, "10:59:58"}, {{0, 59, 58}, "0:59:58"}, // a blank place is not read at all
    };
    for (const auto& c : cases) {
        row->setTime(c.time);
        EXPECT_EQ(row->shownTime(), c.read);
        EXPECT_EQ(accessibleName(row), c.read);
        // Any one of its pictures reads as the whole time.
        EXPECT_EQ(accessibleName(row->findChild<PictureBox*>("Image5")), c.read);
    }

    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(row);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::StaticText);
    EXPECT_EQ(iface->childCount(), 0) << "one element, not a row of pictures";
    row->setAccessibleName("Time remaining");
    EXPECT_EQ(iface->text(QAccessible::Description), "Time remaining");
    row->setAccessibleDescription("Time elapsed");
    EXPECT_EQ(iface->text(QAccessible::Description), "Time elapsed");
}

TEST_F(DigitDisplayTest, TellsTheMinuteAndTheAlertButNotEverySecondAndPaintsOnlyWhatChanges)
{
    // Counts the pictures painted, by name.
    struct Painted : QObject {
        QStringList names;
        bool eventFilter(QObject* box, QEvent* event) override
        {
            if (event->type() == QEvent::Paint)
                names << box->objectName();
            return false;
        }
    } painted;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    for (PictureBox* box : row->findChildren<PictureBox*>())
        box->installEventFilter(&painted);
    AccessibilityRecorder recorder;
    row->setTime({0, 2, 1});
    EXPECT_EQ(recorder.told(row), QStringList{"NameChanged 0:02:01"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return painted.names.contains("Image4"); }));

    // A second a time, as the tick draws it. The pictures of a step are painted together.
    const struct {
        int minutes, seconds;
        QStringList told, painted;
    } steps[] = {
        {2, 0, {}, {"Image6"}},
        {1, 59, {"NameChanged 0:01:59"}, {"Image4", "Image5", "Image6"}},
        {1, 58, {}, {"Image6"}},
        {1, 58, {}, {}},
        {1, 48, {}, {"Image5"}}, // nothing left over from the time shown again
        {0, 0, {"NameChanged 0:00:00"}, {"Image4", "Image5", "Image6"}},
        {10, 0, {"NameChanged 0:10:00"}, {"Image3"}},
        {9, 59, {"NameChanged 0:09:59"}, {"Image3", "Image4", "Image5", "Image6"}}, // told once
    };
    for (const auto& step : steps) {
        painted.names.clear();
        row->setTime({0, step.minutes, step.seconds});
        EXPECT_EQ(recorder.told(row), step.told) << step.minutes << ":" << step.seconds;
        EXPECT_TRUE(QTest::qWaitFor([&] { return painted.names.size() >= step.painted.size(); }));
        painted.names.sort();
        EXPECT_EQ(painted.names, step.painted) << step.minutes << ":" << step.seconds;
    }

    // Time is up: the last time first, then the alert.
    row->setTime({0, 0, 0});
    row->alert();
    EXPECT_EQ(recorder.told(row), (QStringList{"NameChanged 0:00:00", "Alert 0:00:00"}));
    row->alert();
    EXPECT_EQ(recorder.told(row), QStringList{"Alert 0:00:00"});
}

// Each timer's digits as its window builds them: left to right without overlapping, at the
// places of its table where the screen does not decide them, hours and minutes in one look and
// the seconds in another.
TEST(DigitDisplayOfEachTimer, StandsInOrderInTheLooksOfItsGroups)
{
    TempStore t;
    Family family(t.store);
    const DigitLook look1 = digitlooks::imageList1(), look2 = digitlooks::imageList2();
    const struct {
        std::unique_ptr<QWidget> window;
        int image9Left; // twips; 0 where the screen decides the places
        DigitLook hours, seconds;
        int image9; // its picture: 0 one of its own, -1 no Image9
        QString description;
    } timers[] = {
        {family.vexlo(), 3100, look1, look2, 0, "Time remaining"},
        {family.pellum(), 3250, look1, look2, kBlank, "Time elapsed"},
        {family.fullScreen(), 0, look2, digitlooks::imageList3(), -1, "Time remaining"},
    };
    const int smallLefts[] = {0, 480, 830, 1160, 1640, 2000, 2330, 2810};
    const char* leftToRight[] = {"Image1", "Image2", "Image7", "Image3", "Image4",
                                 "Image8", "Image5", "Image6", "Image9"};
    for (const auto& timer : timers) {
        const QWidget* window = timer.window.get();
        auto* display = window->findChild<DigitDisplay*>("DigitDisplay");
        SCOPED_TRACE(window->objectName().toStdString());
        EXPECT_EQ(accessibleName(display), digitsShown(*window).trimmed());
        EXPECT_EQ(accessibleDescription(display), timer.description);
        QRect previous;
        for (int i = 0; i < (timer.image9 < 0 ? 8 : 9); ++i) {
            const auto* box = window->findChild<PictureBox*>(leftToRight[i]);
            ASSERT_NE(box, nullptr) << leftToRight[i];
            EXPECT_TRUE(box->width() > 0 && (i == 0 || box->x() > previous.x())) << leftToRight[i];
            // Where the table places them, clear of each other.
            const bool fixed = timer.image9Left > 0;
            const QRect place =
                !fixed ? box->geometry()
                       : twipsRect(i < 8 ? smallLefts[i] : timer.image9Left, 0, 0, 750);
            EXPECT_EQ(box->geometry().topLeft(), place.topLeft()) << leftToRight[i];
            EXPECT_TRUE(!fixed ||
                        (box->height() == place.height() && !box->geometry().intersects(previous)))
                << leftToRight[i];
            const DigitLook& look = i < 5 ? timer.hours : timer.seconds;
            EXPECT_TRUE(i == 8 || box->list()->look().ink == look.ink) << leftToRight[i];
            previous = box->geometry();
        }
        const auto* image9 = window->findChild<PictureBox*>("Image9");
        EXPECT_EQ(image9 ? image9->index() : -1, timer.image9);
        EXPECT_EQ(image9 && image9->list(), timer.image9 > 0);
    }
}

// Each timer's digits as its window drives them: read as the time they show, told to a screen
// reader at each new minute and, where the time runs out, told that it is up.
TEST(DigitDisplayOfEachTimer, ReadAsTheTimeAndTellEachNewMinuteAndTheAlarm)
{
    // What a screen reader hears while the minute shown goes from `first` to `last`.
    const auto everyMinute = [](int first, int last, int second) {
        QStringList told;
        for (int m = first, step = last > first ? 1 : -1; m != last + step; m += step)
            told << "NameChanged " + durations::clockText({m / 60, m % 60, second});
        return told;
    };
    using Window = std::unique_ptr<QWidget>;
    const auto tickTimerWindow = [](QWidget& w) { static_cast<TimerWindow&>(w).Timer1Tick(); };
    const auto openFullScreen = [](Family& f) -> Window { return f.fullScreen(); };
    const auto startFullScreen = [](QWidget& w) {
        static_cast<FullScreenVexlo&>(w).menustartClick();
    };
    const auto tickFullScreen = [](QWidget& w) { static_cast<FullScreenVexlo&>(w).Timer1Tick(); };
    // Seconds ticked one at a time, and what a screen reader heard meanwhile.
    struct Step {
        int seconds;
        QStringList told;
    };
    const std::vector<Step> fullScreenSteps = {
        {1, {}},
        {1, {"NameChanged 1:00:59"}},
        {59, {}},
        {1, {"NameChanged 0:59:59"}},
        {120, {"NameChanged 0:58:59", "NameChanged 0:57:59"}},
        {57 * 60 + 58, everyMinute(56, 0, 59)},
        {1, {"Alert 0:00:00"}}, // the minute was already 0
    };
    using After = std::function<void(QWidget&, const std::function<QStringList()>&)>;
    const struct {
        const char* timer;
        QString largeDisplay; // FullScreenVexlo's screen
        std::function<Window(Family&)> open;
        int setMinutes, setSeconds; // on the bars; none where the count goes up
        std::function<void(QWidget&)> start, tick;
        std::vector<Step> steps;
        const char* upFrame; // shown once the time is up
        After after;         // `told` gives what was told of the digits since it last did
    } timers[] = {
        {"Vexlo", "", [](Family& f) -> Window { return f.vexlo(); }, 2, 1,
         [](QWidget& w) { static_cast<Vexlo&>(w).StartStopTimer(); }, tickTimerWindow,
         {{1, {}}, {1, {"NameChanged 0:01:59"}}, {59, {}}, {1, {"NameChanged 0:00:59"}}, {58, {}},
          {1, {"Alert 0:00:00"}}},
         "FrameVexlo2",
         [](QWidget& w, const auto& told) {
             // A stopped timer set again by the bars is told as the new time.
             static_cast<Vexlo&>(w).ButVexloAcknowlegdeClick();
             w.findChild<QScrollBar*>("HScroll1")->setValue(65);
             w.findChild<QScrollBar*>("HScroll2")->setValue(0);
             EXPECT_EQ(told(), QStringList{"NameChanged 1:05:00"});
             w.findChild<QScrollBar*>("HScroll2")->setValue(30);
             EXPECT_EQ(told(), QStringList());
         }},
        {"Pellum", "", [](Family& f) -> Window { return f.pellum(); }, 0, 0,
         [](QWidget& w) { static_cast<Pellum&>(w).ButPellumStartClick(); }, tickTimerWindow,
         {{59, {}}, {1, {"NameChanged 0:01:00"}}, {59, {}}, {1, {"NameChanged 0:02:00"}},
          {3480, everyMinute(3, 60, 0)}},
         nullptr,
         [](QWidget& w, const auto& told) {
             // Cleared while stopped, the digits read nought again.
             static_cast<Pellum&>(w).ButPellumStopClick();
             w.findChild<QAction*>("menuclear")->trigger();
             EXPECT_EQ(told(), QStringList{"NameChanged 0:00:00"});
         }},
        {"FullScreenVexlo", fullscreenkeys::kFalse, openFullScreen, 61, 1, startFullScreen,
         tickFullScreen, fullScreenSteps, "Frame2", {}},
        {"FullScreenVexlo, larger", fullscreenkeys::kTrue, openFullScreen, 61, 1, startFullScreen,
         tickFullScreen, fullScreenSteps, "Frame2", {}},
    };
    for (const auto& timer : timers) {
        SCOPED_TRACE(timer.timer);
        TempStore t;
        EXPECT_TRUE(timer.largeDisplay.isEmpty() ||
                    t.store.save(fullscreenkeys::kLargeDisplay, timer.largeDisplay));
        Family family(t.store);
        const Window window = timer.open(family);
        auto* digits = window->findChild<DigitDisplay*>("DigitDisplay");
        AccessibilityRecorder recorder;
        const auto told = [&] { return recorder.told(digits); };
        recorder.take(digits);
        EXPECT_EQ(accessibleName(digits), "0:00:00");
        if (timer.setMinutes || timer.setSeconds) {
            window->findChild<QScrollBar*>("HScroll1")->setValue(timer.setMinutes);
            window->findChild<QScrollBar*>("HScroll2")->setValue(timer.setSeconds);
            const durations::Parts set{timer.setMinutes / 60, timer.setMinutes % 60,
                                       timer.setSeconds};
            EXPECT_EQ(told(), QStringList{"NameChanged " + durations::clockText(set)});
        }
        timer.start(*window);
        int elapsed = 0;
        for (const Step& step : timer.steps) {
            elapsed += step.seconds;
            SCOPED_TRACE(elapsed);
            EXPECT_EQ(recorder.toldWhileTicking(digits, step.seconds,
                                                [&] {
                                                    family.clock.advance(1);
                                                    timer.tick(*window);
                                                }),
                      step.told);
            EXPECT_EQ(accessibleName(digits), digitsShown(*window).trimmed());
        }
        const auto* up = timer.upFrame ? window->findChild<QWidget*>(timer.upFrame) : nullptr;
        EXPECT_TRUE(!timer.upFrame || (up && !up->isHidden()));
        if (timer.after)
            timer.after(*window, told);
    }
}
