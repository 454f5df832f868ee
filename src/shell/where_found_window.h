#pragma once
// WhereFoundWindow: "Show Where Found" of one result row: the file's path, the line number and
// that line as the file holds it now, with the number marked. A file that is gone or changed
// since the run, or cannot be read, is said to be so instead. The window follows the desktop's
// colours and scale; the number is marked in the desktop's selection colours.

#include <QDialog>
#include <string>

#include "source_line.h"

namespace tessaly {

class WhereFoundWindow : public QDialog {
    Q_OBJECT

  public:
    WhereFoundWindow(const std::string& path, std::uint64_t line, const SourceLine& found,
                     QWidget* parent = nullptr);
};

}  // namespace tessaly
