#pragma once

#include "notifier.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

// Remembers every notification and every call for attention, in order.
class RecordingNotifier final : public Notifier {
public:
    struct Told {
        QString summary;
        QString body;
        Sound sound;
        QPointer<QWidget> window;
    };

    void tell(const QString& summary, const QString& body, Sound sound, QWidget* window) override
    {
        told.append({summary, body, sound, window});
    }
    void attention(QWidget* window) override { attentionTo.append(window); }

    QList<Told> told;
    QList<QPointer<QWidget>> attentionTo;
};
