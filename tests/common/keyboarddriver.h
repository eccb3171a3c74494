#pragma once

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QMenu>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>

// A keyboard and nothing else: every key goes where a keyboard sends it, to the open menu or
// else to the control with the focus, and the event loop runs between two presses.
namespace keyboard {

inline QWidget* target()
{
    if (QWidget* popup = QApplication::activePopupWidget())
        return popup;
    return QApplication::focusWidget();
}

// The control with the focus by its name; Qt's unnamed parts of a control by the control's.
inline QString focused()
{
    for (const QWidget* widget = QApplication::focusWidget(); widget;
         widget = widget->parentWidget()) {
        const QString name = widget->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")))
            return name;
    }
    return QStringLiteral("(nothing)");
}

// Plays `keys` on `window`: key names as in "Tab Shift+Tab Alt+S Esc", a "quoted text" typed,
// and @item to go down the open menu to the action named `item` and choose it with Return, or
// open it with Right when written @item>.
inline void play(const QWidget* window, const QString& keys)
{
    static const QRegularExpression token(QStringLiteral("\"([^\"]*)\"|(\\S+)"));
    for (const QRegularExpressionMatch& match : token.globalMatch(keys)) {
        QWidget* to = target();
        ASSERT_NE(to, nullptr) << "nothing takes the keys at " << match.captured().toStdString();
        QString word = match.captured(2);
        if (word.isEmpty()) {
            QTest::keyClicks(to, match.captured(1));
        } else if (word.startsWith(u'@')) {
            const bool open = word.endsWith(u'>');
            word = word.mid(1, word.size() - (open ? 2 : 1));
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr) << "no menu open for " << word.toStdString();
            const QAction* wanted = window->findChild<QAction*>(word);
            ASSERT_NE(wanted, nullptr) << word.toStdString();
            for (int i = 0; i < 40 && menu->activeAction() != wanted; ++i) {
                QTest::keyClick(menu, Qt::Key_Down);
                QApplication::processEvents();
            }
            ASSERT_EQ(menu->activeAction(), wanted) << word.toStdString();
            QTest::keyClick(menu, open ? Qt::Key_Right : Qt::Key_Return);
        } else {
            const QKeySequence key = QKeySequence::fromString(word);
            ASSERT_EQ(key.count(), 1) << word.toStdString();
            QTest::keyClick(to, key[0].key(), key[0].keyboardModifiers());
        }
        QApplication::processEvents();
    }
}

// The controls Tab (or Shift+Tab) visits from the focus in `presses` presses, the one it starts
// on first.
inline QStringList tabRound(const QWidget* window, int presses, bool backwards = false)
{
    QStringList visited{focused()};
    for (int i = 0; i < presses; ++i) {
        play(window, backwards ? QStringLiteral("Shift+Tab") : QStringLiteral("Tab"));
        visited << focused();
    }
    return visited;
}

// Checks that Tab goes round `round` from its first control, and Shift+Tab the same way back.
inline void expectTabRound(const QWidget* window, QStringList round)
{
    const int presses = int(round.size()) - 1;
    EXPECT_EQ(tabRound(window, presses), round);
    std::reverse(round.begin(), round.end());
    EXPECT_EQ(tabRound(window, presses, true), round);
}

// Makes `window` the active window, as the window manager does when it opens.
inline bool activate(QWidget* window)
{
    QApplication::setActiveWindow(window);
    return QTest::qWaitForWindowActive(window);
}

// A window's test fixture for keyboard tests: keys go to its window, which opens active.
template <typename WindowTest> class Fixture : public WindowTest {
protected:
    void play(const QString& keys) { keyboard::play(this->window.get(), keys); }
    auto& openActive()
    {
        auto& w = this->open();
        EXPECT_TRUE(activate(&w));
        return w;
    }
};

} // namespace keyboard
