#pragma once

// Widgets of the standard controls that need behaviour beyond the toolkit's own.

#include <QLabel>

namespace ui {

// A static text that reports clicks to its parent when asked to.
class NotifyLabel : public QLabel {
public:
    NotifyLabel(QWidget* parent, bool notify);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_notify;
};

} // namespace ui
