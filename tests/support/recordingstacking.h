#pragma once

#include "windowstacking.h"

#include <QStringList>

// Remembers every stacking request, "top" or "normal", in order.
class RecordingStacking final : public WindowStacking {
public:
    void makeTopMost(QWidget&) override { calls.append(QStringLiteral("top")); }
    void makeNormal(QWidget&) override { calls.append(QStringLiteral("normal")); }

    QStringList calls;
};
