#pragma once

// Starts another, independent copy of the running program.
class InstanceLauncher {
public:
    enum class Result {
        Started,
        Refused, // the program file is gone or cannot be run: passed over quietly
        Failed,  // anything else
    };

    virtual ~InstanceLauncher() = default;
    virtual Result startAnother() = 0;
};

// The running program's own executable, detached, without arguments, in the current folder.
class ProcessInstanceLauncher final : public InstanceLauncher {
public:
    Result startAnother() override;
};
