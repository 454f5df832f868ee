#pragma once
// FrameBox: a captioned frame around a group of the window's controls. Its line runs around the
// whole box, the top edge through the middle of the caption, so the controls inside, at the
// places the layout gives them, stand clear of it.

#include <QGroupBox>

namespace tessaly {

class FrameBox : public QGroupBox {
  public:
    using QGroupBox::QGroupBox;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace tessaly
