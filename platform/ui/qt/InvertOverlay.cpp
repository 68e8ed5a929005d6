#include "platform/ui/qt/InvertOverlay.h"

#include <QCursor>
#include <QPainter>

namespace ui::qt {

InvertOverlay::InvertOverlay(QWidget* parent, const QRect& area)
    : QWidget(parent)
    , m_inverted(parent->grab(area).toImage())
{
    m_inverted.invertPixels();
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(area);
    show();
    raise();
}

void InvertOverlay::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_inverted);
}

QRect& CursorClip()
{
    static QRect clip;
    return clip;
}

QPoint ClampToCursorClip(QWidget* widget, QPoint point)
{
    const QRect& clip = CursorClip();
    if (clip.isEmpty() || widget == nullptr) return point;
    const QPoint global = widget->mapToGlobal(point);
    const QPoint inside(std::clamp(global.x(), clip.left(), clip.right()), std::clamp(global.y(), clip.top(), clip.bottom()));
    if (inside == global) return point;
    QCursor::setPos(inside);
    return widget->mapFromGlobal(inside);
}

} // namespace ui::qt
