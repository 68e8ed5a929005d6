#include "platform/ui/testing/Recorder.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/qt/NativeHandles.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <utility>

namespace ui::testing {

std::optional<int> Recorder::OnMessageBox(Window* owner, const std::string& text, const std::string& caption, unsigned flags)
{
    m_boxes.push_back(Box{owner, text, caption, flags});
    if (m_boxObserver) m_boxObserver(m_boxes.back());
    if (!m_popupActions.empty()) return std::nullopt; // shown for real, acted on inside
    return m_boxAnswer;
}

void Recorder::OnModalDialog(Dialog& dialog)
{
    const int templateId = dialog.TemplateId();
    ++m_opened[templateId];
    auto found = m_actions.find(templateId);
    if (found == m_actions.end() || found->second.empty()) return;
    DialogAction action = std::move(found->second.front());
    found->second.erase(found->second.begin());
    action(dialog);
}

void Recorder::OnPopupShown(NativeWidget& native)
{
    if (m_popupActions.empty()) return;
    std::function<void()> action = std::move(m_popupActions.front());
    m_popupActions.erase(m_popupActions.begin());
    QWidget* popup = qt::ToQWidget(&native);
    QPointer<QWidget> guard(popup);
    QTimer::singleShot(0, popup, [this, guard, action = std::move(action)] {
        // Activated as a window manager would, so keys reach the popup.
        if (guard->windowType() != Qt::Popup) QApplication::setActiveWindow(guard);
        action();
        if (guard && guard->isVisible()) {
            ++m_popupsLeftOpen;
            guard->close();
        }
    });
}

std::vector<std::string> Recorder::BoxTexts() const
{
    std::vector<std::string> texts;
    for (const Box& box : m_boxes) texts.push_back(box.caption + ": " + box.text);
    return texts;
}

} // namespace ui::testing
