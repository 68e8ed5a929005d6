#pragma once

// The widget of an edit control. Its window sees each key (WM_KEYDOWN, WM_CHAR) and the loss
// of focus (WM_KILLFOCUS) before the toolkit's editing does; the window's default processing
// of a key lets that editing run.

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

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QKeyEvent* m_key = nullptr;
    bool m_keyTypes = false;
    bool m_passedOn = false;
};

} // namespace ui
