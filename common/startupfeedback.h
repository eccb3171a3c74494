#pragma once

#include <QByteArray>

// Ends the desktop's feedback for a start (the busy pointer, the launching entry in the task
// bar) that shows no window of its own: a second DateVexlo, which hands over to the first.
// `startupId` is the DESKTOP_STARTUP_ID the program was started with, read before Qt takes it.
void endStartupFeedback(const QByteArray& startupId);
