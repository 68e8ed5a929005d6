// Dialogs on Qt: a WidgetHost top-level (or child) window holding the template's controls as
// the toolkit's widgets, sized in dialog units of the template font, with a QEventLoop as the
// modal loop. Pairs with win32/DialogWin32.cpp; items, keys and focus order are shared (Dialog.cpp).

#include "platform/ui/Dialog.h"

#include "platform/ui/DialogTemplate.h"
#include "platform/ui/Font.h"
#include "platform/ui/InteractionHooks.h"
#include "platform/ui/Resources.h"
#include "platform/ui/Styles.h"
#include "platform/ui/qt/ControlFactory.h"
#include "platform/ui/qt/FontData.h"
#include "platform/ui/qt/QtConvert.h"
#include "platform/ui/qt/WidgetHost.h"
#include "platform/ui/qt/WindowBridge.h"

#include <QApplication>
#include <QEventLoop>
#include <QFontMetrics>
#include <QPushButton>
#include <QScreen>

namespace ui {

// The loop of a modal dialog; EndDialog ends it.
class ModalLoop : public QEventLoop { };

namespace {

Size BaseUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int alphabetWidth = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return Size{(alphabetWidth / 26 + 1) / 2, metrics.height()};
}

} // namespace

bool Dialog::Instantiate(const DialogTemplate& dialogTemplate, Window* parent)
{
    const bool child = (dialogTemplate.style & WS_CHILD) != 0;
    if (child && (parent == nullptr || WidgetOf(parent) == nullptr)) return false;

    auto* host = new WidgetHost(child ? WidgetOf(parent) : nullptr);
    WindowBridge::Adopt(*this, host, 0, dialogTemplate.style);

    m_font = std::make_unique<Font>();
    m_font->CreatePointFont(dialogTemplate.pointSize * 10, std::string(dialogTemplate.fontFace).c_str());
    host->setFont(m_font->Data()->font);
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.get()), 0);
    m_baseUnits = BaseUnits(m_font->Data()->font);
    host->setAutoFillBackground(true);

    const Rect client = MapDialogRect(Rect{0, 0, dialogTemplate.cx, dialogTemplate.cy});
    if (child) {
        host->setGeometry(0, 0, client.Width(), client.Height());
    } else {
        Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        if ((dialogTemplate.style & WS_SYSMENU) != 0) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        host->setWindowFlags(flags);
        host->setWindowTitle(qt::ToQString(dialogTemplate.caption));
        host->setFixedSize(client.Width(), client.Height());
        if (QScreen* screen = QApplication::primaryScreen()) {
            const QRect available = screen->availableGeometry();
            host->move(available.center() - QPoint(client.Width() / 2, client.Height() / 2));
        }
    }

    m_controls.clear();
    for (const ControlTemplate& control : dialogTemplate.controls) {
        const Rect r = MapDialogRect(Rect{control.x, control.y, control.x + control.cx, control.y + control.cy});
        const Rect size = MapDialogRect(Rect{0, 0, control.cx, control.cy});
        m_controls.push_back(CreateControl(control, host, ControlGeometry{r.left, r.top, size.Width(), size.Height()}, m_font.get()));
        m_items[control.id >= 0 ? control.id : -1 - static_cast<int>(m_controls.size())] = m_controls.back().get();
    }
    return true;
}

int Dialog::DoModal()
{
    const DialogTemplate* dialogTemplate = Resources::FindDialog(m_templateId);
    if (dialogTemplate == nullptr || IsWindow()) return -1;
    m_ended = false;
    m_result = -1;
    m_modalStarting = true;
    if (!Instantiate(*dialogTemplate, m_parentWindow)) {
        m_modalStarting = false;
        return -1;
    }
    WidgetOf(*this)->setWindowModality(Qt::ApplicationModal);
    const bool focusFirst = OnInitDialog();
    if (!m_ended && IsWindow()) {
        WidgetOf(*this)->show();
        WidgetOf(*this)->activateWindow();
        if (focusFirst) FocusFirstTabStop();
        if (InteractionHooks* hooks = InteractionHooks::Installed()) {
            // A test never waits on a dialog: one its script left open is cancelled.
            hooks->OnModalDialog(*this);
            if (!m_ended) EndDialog(IDCANCEL);
        }
        if (!m_ended && IsWindow()) {
            ModalLoop loop;
            m_loop = &loop;
            loop.exec(QEventLoop::DialogExec);
            m_loop = nullptr;
        }
    }
    m_modalStarting = false;
    DestroyWindow();
    m_items.clear();
    m_controls.clear();
    return m_result;
}

bool Dialog::Create(Window* parent)
{
    const DialogTemplate* dialogTemplate = Resources::FindDialog(m_templateId);
    if (dialogTemplate == nullptr || IsWindow()) return false;
    if (parent != nullptr) m_parentWindow = parent;
    if (!Instantiate(*dialogTemplate, m_parentWindow)) return false;
    const bool focusFirst = OnInitDialog();
    const bool child = (dialogTemplate->style & WS_CHILD) != 0;
    if ((dialogTemplate->style & WS_VISIBLE) != 0 || !child) {
        WidgetOf(*this)->show();
        if (focusFirst && !child) FocusFirstTabStop();
    } else {
        WidgetOf(*this)->hide();
    }
    return true;
}

void Dialog::EndDialog(int result)
{
    if (!IsModal()) return;
    m_result = result;
    m_ended = true;
    if (m_loop != nullptr) m_loop->exit(result);
}

void Dialog::BindControl(int id, Window& control)
{
    auto found = m_items.find(id);
    if (found == m_items.end() || found->second == nullptr || WidgetOf(found->second) == nullptr) return;
    Window* standIn = found->second;
    QWidget* widget = WidgetOf(standIn);
    const uint32_t style = standIn->GetStyle();
    Font* font = standIn->GetFont();
    WindowBridge::Detach(*standIn);
    WindowBridge::Attach(control, widget, id, style, font);
    found->second = &control;
    control.PreSubclassWindow();
}

} // namespace ui
