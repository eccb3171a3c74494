#pragma once

#include "startoptions.h"

#include <functional>

class QApplication;

// Whether a program's first frame reads a picture (a menu bar's arrow, a group box's frame, a
// skin) or only draws.
enum class FirstFrame { ReadsPictures, DrawsOnly };

// The start of every program of the family, around `run`, which makes its window and runs it:
// answers the command line, asks for X11 under Wayland, tells the desktop which menu entry and
// icon the windows belong to, and ends with one line and status 1 where there is no display.
int runProgram(int argc, char** argv, const ProgramIdentity& program, FirstFrame firstFrame,
               const std::function<int(QApplication&)>& run);
