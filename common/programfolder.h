#pragma once

#include <QString>

// The folder that holds the family's data files (Timer1.wav, the skin pictures, Vexlo.hlp),
// ending in "/": beside the executable in the build tree, the installed data folder otherwise.
// It does not depend on the folder the program was started from.
QString programFolder();

// `path` as given when absolute, else looked up in `folder`.
QString resolveInFolder(const QString& folder, const QString& path);
