#pragma once
// The program's icon: the sizes made from the drawing the desktop menu shows, built into the
// program so the window finds them wherever it is installed.

#include <QIcon>

namespace tessaly {

QIcon ProgramIcon();

}  // namespace tessaly
