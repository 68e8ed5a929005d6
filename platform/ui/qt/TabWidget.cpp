#include "platform/ui/qt/TabWidget.h"

#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"
#include "platform/ui/qt/WindowBridge.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionTabWidgetFrame>
#include <QWheelEvent>

namespace ui {

VetoTabBar::VetoTabBar(QWidget* parent)
    : QTabBar(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setDrawBase(false);
    setExpanding(false);
}

void VetoTabBar::ChangeByUser(int index)
{
    if (index < 0 || index >= count() || index == currentIndex()) return;
    Window* control = WindowBridge::Nearest(parentWidget());
    if (control != nullptr) {
        NMHDR changing{nullptr, 0, TCN_SELCHANGING};
        if (control->SendNotify(changing) != 0) return;
    }
    const bool blocked = blockSignals(true);
    setCurrentIndex(index);
    blockSignals(blocked);
    if (control != nullptr && control->IsWindow()) {
        NMHDR changed{nullptr, 0, TCN_SELCHANGE};
        control->SendNotify(changed);
    }
}

void VetoTabBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return;
    setFocus(Qt::MouseFocusReason);
    ChangeByUser(tabAt(event->position().toPoint()));
}

void VetoTabBar::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Left) {
        ChangeByUser(currentIndex() - 1);
    } else if (event->key() == Qt::Key_Right) {
        ChangeByUser(currentIndex() + 1);
    } else {
        event->ignore();
    }
}

void VetoTabBar::wheelEvent(QWheelEvent* event)
{
    event->ignore();
}

TabWidget::TabWidget(QWidget* parent)
    : QWidget(parent)
    , m_bar(new VetoTabBar(this))
{
    setFocusProxy(m_bar);
}

// The tabs keep one height whether or not there are any, so pages stay where they were put.
int TabWidget::BarHeight() const
{
    return std::max(m_bar->sizeHint().height(), fontMetrics().height() + 10);
}

QRect TabWidget::DisplayRect() const
{
    const int top = BarHeight();
    return QRect(0, top, width(), std::max(0, height() - top));
}

void TabWidget::Relayout()
{
    m_bar->setGeometry(0, 0, width(), BarHeight());
    update();
}

void TabWidget::resizeEvent(QResizeEvent*)
{
    Relayout();
}

void TabWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = DisplayRect();
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);
}

} // namespace ui
