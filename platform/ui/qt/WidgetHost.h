#pragma once

// The widget of a custom-drawn window or a dialog: turns the toolkit's events into the
// window's messages.

#include "platform/ui/Messages.h"

#include <QWidget>

class QScrollBar;

namespace ui {

class Window;

class WidgetHost : public QWidget {
public:
    explicit WidgetHost(QWidget* parent);

    QScrollBar* ScrollBar(int bar) const;
    void ShowScrollBar(int bar, bool show);
    bool IsScrollBarShown(int bar) const;
    // Client area in client coordinates: inside the border and left of and above the bars.
    QRect ClientRect() const;
    void SetBorder(bool border);
    QPoint ClientOrigin() const { return QPoint(m_border, m_border); }
    // The thumb position of the last scroll action, the one a scroll message names.
    int TrackPos(int bar) const { return m_trackPos[bar == SB_HORZ ? SB_HORZ : SB_VERT]; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    Window* Owner() const;
    void LayoutScrollBars();
    void OnScrollAction(int bar, int action);

    QPoint ToClient(QPointF position) const { return position.toPoint() - ClientOrigin(); }

    QScrollBar* m_bars[2] = {nullptr, nullptr};
    int m_trackPos[2] = {0, 0};
    int m_border = 0;
};

} // namespace ui
