#pragma once

// The widget of an edit control. Its window sees each key (WM_KEYDOWN, WM_CHAR) and the loss
// of focus (WM_KILLFOCUS) before the toolkit's editing does; the window's default processing
// of a key lets that editing run.

#include "platform/ui/Messages.h"

#include <QLineEdit>

#include <cstdint>

namespace ui {

class EditWidget : public QLineEdit {
public:
    // Frame, alignment (ES_CENTER, ES_RIGHT) from style; changes notify the parent.
    EditWidget(const QString& text, QWidget* parent, uint32_t style);

    // The default processing of the key now being delivered: from WM_CHAR, or from
    // WM_KEYDOWN for a key that types no character.
    void DefaultKey(bool fromChar);
    // The default processing of WM_CHAR: types the key's character, or the character of
    // input-method text now being delivered (through WM_IME_CHAR) where the composition was.
    void DefaultChar(UINT ch);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    QKeyEvent* m_key = nullptr;
    // The input method's event whose committed text is being delivered, and whether the text
    // it replaces is gone already.
    const QInputMethodEvent* m_commit = nullptr;
    bool m_replaced = false;
    bool m_keyTypes = false;
    bool m_passedOn = false;
};

} // namespace ui
