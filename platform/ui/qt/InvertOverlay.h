#pragma once

// Stands for pixels inverted on a window outside painting (a tracking line while dragging):
// a child that shows the inverse of what was under it.

#include <QImage>
#include <QWidget>

namespace ui::qt {

class InvertOverlay : public QWidget {
public:
    InvertOverlay(QWidget* parent, const QRect& area);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_inverted;
};

// Where a drag keeps the pointer, in global coordinates; empty when free.
QRect& CursorClip();
// point (local to widget) moved inside the clip, and the pointer with it.
QPoint ClampToCursorClip(QWidget* widget, QPoint point);

} // namespace ui::qt
