#include "platform/ui/qt/EditWidget.h"

#include "platform/ui/Styles.h"
#include "platform/ui/Window.h"
#include "platform/ui/qt/InputTranslation.h"
#include "platform/ui/qt/QtConvert.h"
#include "platform/ui/qt/WindowBridge.h"

#include <QApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPointer>

namespace ui {

EditWidget::EditWidget(const QString& text, QWidget* parent, uint32_t style)
    : QLineEdit(text, parent)
{
    setFrame((style & WS_BORDER) != 0);
    if ((style & ES_RIGHT) != 0) {
        setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    } else if ((style & ES_CENTER) != 0) {
        setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    }
    QObject::connect(this, &QLineEdit::textChanged, this, [this] {
        if (Window* owner = WindowBridge::Owner(this)) {
            owner->SendCommandToParent(EN_UPDATE);
            owner->SendCommandToParent(EN_CHANGE);
        }
    });
}

void EditWidget::DefaultKey(bool fromChar)
{
    if (m_key == nullptr || m_passedOn || (!fromChar && m_keyTypes)) return;
    m_passedOn = true;
    QLineEdit::keyPressEvent(m_key);
}

void EditWidget::DefaultChar(UINT ch)
{
    if (m_commit == nullptr) {
        DefaultKey(true);
        return;
    }
    QInputMethodEvent typed;
    const char32_t code = ch;
    const QString text = QString::fromUcs4(&code, 1);
    if (m_replaced) {
        typed.setCommitString(text);
    } else {
        typed.setCommitString(text, m_commit->replacementStart(), m_commit->replacementLength());
        m_replaced = true;
    }
    QLineEdit::inputMethodEvent(&typed);
}

void EditWidget::inputMethodEvent(QInputMethodEvent* event)
{
    Window* owner = WindowBridge::Owner(this);
    if (owner == nullptr || event->commitString().isEmpty()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    // The window sees each committed character before the toolkit types it, as it sees keys.
    const QPointer<EditWidget> alive(this);
    m_commit = event;
    m_replaced = false;
    for (const char32_t ch : event->commitString().toUcs4()) {
        if (WindowBridge::Owner(this) != owner || !owner->IsWindow()) break;
        owner->SendMessage(WM_IME_CHAR, ch, qt::kKeyRepeat);
        if (!alive) return;
    }
    m_commit = nullptr;
    // What the input method goes on composing shows after the committed text.
    QInputMethodEvent composing(event->preeditString(), event->attributes());
    QLineEdit::inputMethodEvent(&composing);
}

bool EditWidget::event(QEvent* event)
{
    // Tab goes to the window when it asks for it, not to the dialog's focus chain.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        Window* owner = WindowBridge::Owner(this);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (tab && owner != nullptr && (owner->SendMessage(WM_GETDLGCODE) & (DLGC_WANTTAB | DLGC_WANTALLKEYS)) != 0) {
            keyPressEvent(key);
            return true;
        }
    }
    return QLineEdit::event(event);
}

void EditWidget::keyPressEvent(QKeyEvent* event)
{
    Window* owner = WindowBridge::Owner(this);
    if (owner == nullptr) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const UINT ch = qt::TypedChar(*event);
    m_key = event;
    // A character taken by pre-translation is not typed.
    m_keyTypes = ch != 0;
    const bool charConsumed = WindowBridge::CharConsumed(event);
    m_passedOn = false;
    const UINT message = qt::KeyMessage(*event, true);
    // A key may end the window and its widget with it (an editor closing itself).
    const QPointer<EditWidget> alive(this);
    if (const UINT vk = qt::VirtualKey(*event); vk != 0) {
        owner->SendMessage(message, vk, qt::kKeyRepeat);
        if (!alive) return;
    } else if (!m_keyTypes) {
        DefaultKey(false);
    }
    // The window may have gone with the key (an editor that ends itself).
    if (m_keyTypes && !charConsumed && WindowBridge::Owner(this) == owner && owner->IsWindow()) {
        owner->SendMessage(message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR, ch, qt::kKeyRepeat);
        if (!alive) return;
    }
    m_key = nullptr;
}

void EditWidget::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (Window* owner = WindowBridge::Owner(this)) {
        QWidget* next = QApplication::focusWidget();
        owner->SendMessage(WM_KILLFOCUS, reinterpret_cast<WPARAM>(next != nullptr ? WindowBridge::Nearest(next) : nullptr), 0);
    }
}

} // namespace ui
