#pragma once
// The program's icon, drawn at the sizes the desktop asks for.

#include <QIcon>

namespace tessaly {

QIcon ProgramIcon();

}  // namespace tessaly
