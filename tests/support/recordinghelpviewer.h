#pragma once

#include "helpviewer.h"

#include <QList>

// Remembers the topics the program asked for.
class RecordingHelpViewer final : public HelpViewer {
public:
    void open(int topic) override { topics.append(topic); }

    QList<int> topics;
};
