#pragma once

#include "displaymodes.h"

// Display modes and change results as the test scripted them.
class ScriptedDisplayModes final : public DisplayModes {
public:
    QList<DisplayMode> list() override
    {
        ++listed;
        return modes;
    }
    std::optional<DisplayMode> current() override { return now; }
    int change(int index) override
    {
        changes.append(index);
        return result;
    }

    QList<DisplayMode> modes;
    std::optional<DisplayMode> now;
    int result = Changed;

    int listed = 0;
    QList<int> changes;
};
