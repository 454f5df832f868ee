#pragma once
// WhereFoundWindow: "Show Where Found" of one result row: the file's path, the line number and
// that line as the file holds it now, with the number marked; for a document, the line of its
// text and where in the document the number stands (a page, a sheet's cell, a slide). A file that
// is gone or changed since the run, or cannot be read, is said to be so instead. The window follows
// the desktop's colours and scale; the number is marked in the desktop's selection colours. It
// opens at once, saying that the line is being read, and shows the line when the read (off the
// window's thread: a line may be hundreds of megabytes long) hands it over.

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <string>

#include "source_line.h"

namespace tessaly {

class WhereFoundWindow : public QDialog {
    Q_OBJECT

  public:
    WhereFoundWindow(const std::string& path, std::uint64_t line, QWidget* parent = nullptr);

    // The line as read, in place of the note that it is being read.
    void showLine(const SourceLine& found);

  private:
    std::uint64_t line_;
    QFormLayout* form_ = nullptr;
    QWidget* reading_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace tessaly
