#include "platform/ui/qt/ControlFactory.h"

#include "platform/ui/ControlStandIn.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/LabelFit.h"
#include "platform/ui/Resources.h"
#include "platform/ui/Styles.h"
#include "platform/ui/Window.h"
#include "platform/ui/qt/ControlWidgets.h"
#include "platform/ui/qt/EditWidget.h"
#include "platform/ui/qt/QtConvert.h"
#include "platform/ui/qt/TabWidget.h"
#include "platform/ui/qt/WidgetHost.h"
#include "platform/ui/qt/WindowBridge.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

namespace ui {

NotifyLabel::NotifyLabel(QWidget* parent, bool notify)
    : QLabel(parent)
    , m_notify(notify)
{ }

void NotifyLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (m_notify && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        if (Window* owner = WindowBridge::Owner(this)) owner->SendCommandToParent(STN_CLICKED);
    }
}

namespace {

// Notifications go to whichever window object stands for the widget when they happen.
void SendCommand(QWidget* widget, int code)
{
    if (Window* owner = WindowBridge::Owner(widget)) owner->SendCommandToParent(code);
}

QWidget* MakeButton(const ControlTemplate& control, QWidget* parent)
{
    const uint32_t type = control.style & BS_TYPEMASK;
    const QString text = qt::ToQString(control.text);
    if (type == BS_GROUPBOX) {
        auto* box = new QGroupBox(text, parent);
        box->setFocusPolicy(Qt::NoFocus);
        return box;
    }
    QAbstractButton* button = nullptr;
    if (type == BS_AUTORADIOBUTTON) {
        button = new QRadioButton(text, parent);
    } else {
        auto* push = new QPushButton(text, parent);
        push->setDefault(type == BS_DEFPUSHBUTTON);
        push->setAutoDefault(false);
        button = push;
    }
    QObject::connect(button, &QAbstractButton::clicked, button, [button] { SendCommand(button, BN_CLICKED); });
    return button;
}

QWidget* MakeStatic(const ControlTemplate& control, QWidget* parent)
{
    auto* label = new NotifyLabel(parent, (control.style & SS_NOTIFY) != 0);
    const uint32_t type = control.style & SS_TYPEMASK;
    if (type == SS_ICON) {
        if (const char* const* xpm = Resources::FindIcon(control.iconId)) label->setPixmap(QPixmap(xpm));
        return label;
    }
    label->setText(qt::ToQString(control.text));
    label->setTextFormat(Qt::PlainText);
    Qt::Alignment alignment = type == SS_CENTER ? Qt::AlignHCenter : type == SS_RIGHT ? Qt::AlignRight : Qt::AlignLeft;
    if ((control.style & SS_CENTERIMAGE) != 0) {
        alignment |= Qt::AlignVCenter;
    } else {
        alignment |= Qt::AlignTop;
        label->setWordWrap(true);
    }
    label->setAlignment(alignment);
    if ((control.exStyle & WS_EX_STATICEDGE) != 0) {
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setLineWidth(1);
    } else if ((control.exStyle & WS_EX_DLGMODALFRAME) != 0) {
        label->setFrameStyle(QFrame::Panel | QFrame::Raised);
        label->setLineWidth(2);
    }
    return label;
}

QWidget* MakeEdit(const ControlTemplate& control, QWidget* parent)
{
    return new EditWidget(qt::ToQString(control.text), parent, control.style);
}

QWidget* MakeListBox(const ControlTemplate& control, QWidget* parent)
{
    // A list widget selects one entry at a time, as a list box without multiple selection does.
    auto* list = new QListWidget(parent);
    list->setVerticalScrollBarPolicy((control.style & LBS_DISABLENOSCROLL) != 0 ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    if ((control.style & LBS_NOTIFY) != 0) {
        // Only the user's changes notify, as SetCurSel sends nothing.
        QObject::connect(list, &QListWidget::itemClicked, list, [list] { SendCommand(list, LBN_SELCHANGE); });
        QObject::connect(list, &QListWidget::itemDoubleClicked, list, [list] { SendCommand(list, LBN_DBLCLK); });
    }
    return list;
}

// Icons keep their own size; a label its text overflows takes a smaller font.
void FitStatic(QLabel* label, const ControlTemplate& control)
{
    if ((control.style & SS_TYPEMASK) == SS_ICON) {
        label->resize(label->sizeHint());
        return;
    }
    if (label->text().isEmpty()) return;
    QFont font = label->font();
    const int original = font.pixelSize();
    const std::optional<int> size = FittingLabelSize(original, Size{label->contentsRect().width(), label->height()}, [&](int pixelSize) {
        font.setPixelSize(pixelSize);
        const QFontMetrics metrics(font);
        return Size{metrics.horizontalAdvance(label->text()), metrics.height()};
    });
    if (!size || *size == original) return;
    font.setPixelSize(*size);
    label->setFont(font);
}

QWidget* MakeWidget(const ControlTemplate& control, QWidget* parent)
{
    const std::string_view cls = control.windowClass;
    if (cls == wc::Button) return MakeButton(control, parent);
    if (cls == wc::Static) return MakeStatic(control, parent);
    if (cls == wc::Edit) return MakeEdit(control, parent);
    if (cls == wc::ListBox) return MakeListBox(control, parent);
    if (cls == wc::TabControl) return new TabWidget(parent);
    // List views and registered custom classes are drawn by their window objects.
    auto* host = new WidgetHost(parent);
    host->SetBorder((control.style & WS_BORDER) != 0);
    return host;
}

} // namespace

std::unique_ptr<Window> CreateControl(const ControlTemplate& control, QWidget* dialog, const ControlGeometry& geometry, Font* font)
{
    QWidget* widget = MakeWidget(control, dialog);
    widget->setGeometry(geometry.x, geometry.y, geometry.width, geometry.height);
    if (control.windowClass == wc::Static) FitStatic(static_cast<QLabel*>(widget), control);
    const bool tabStop = (control.style & WS_TABSTOP) != 0;
    if (control.windowClass != wc::Static && !(control.windowClass == wc::Button && (control.style & BS_TYPEMASK) == BS_GROUPBOX)) {
        widget->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
    }
    widget->setEnabled((control.style & WS_DISABLED) == 0);
    widget->setVisible((control.style & WS_VISIBLE) != 0);
    std::unique_ptr<Window> standIn = StandInFor(control);
    WindowBridge::Attach(*standIn, widget, control.id, control.style, font);
    return standIn;
}

} // namespace ui
