#pragma once

// Opens the family's help file at a topic number, beside the program: the call returns at once.
class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    virtual void open(int topic) = 0;
};
