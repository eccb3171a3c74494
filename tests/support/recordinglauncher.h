#pragma once

#include "instancelauncher.h"

#include <functional>

// Answers each start as the test scripted it; `onStart` sees the moment of the start, for
// instance to read what was stored just before.
class RecordingLauncher final : public InstanceLauncher {
public:
    Result startAnother() override
    {
        ++starts;
        if (onStart)
            onStart();
        return result;
    }

    Result result = Result::Started;
    int starts = 0;
    std::function<void()> onStart;
};
