#pragma once

#include "startoptions.h"

#include <functional>
#include <thread>

class QApplication;
class QWidget;

// Whether a program's first frame reads a picture (a menu bar's arrow, a group box's frame, a
// skin) or only draws.
enum class FirstFrame { ReadsPictures, DrawsOnly };

// The start of every program of the family, around `run`, which makes its window and runs it:
// answers the command line, asks for X11 under Wayland, tells the desktop which menu entry and
// icon the windows belong to, and ends with one line and status 1 where there is no display.
int runProgram(int argc, char** argv, const ProgramIdentity& program, FirstFrame firstFrame,
               const std::function<int(QApplication&)>& run);

// Makes `window`'s native window and the frame it is drawn into, at the window's present size,
// and returns a thread that readies the first drawing while the caller builds the controls: it
// writes the frame's memory once, then makes Qt's drawing threads. The first write to a page of
// new memory takes a fault, and a frame over the whole screen is a thousand pages: drawn into
// cold, it cost the first drawing some 10 ms on a virtual machine. Until the thread has been
// joined, nothing may resize, show or re-create the window.
[[nodiscard]] std::jthread warmFrame(QWidget& window);
