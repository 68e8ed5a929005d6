#include "platform/ui/testing/Recorder.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/testing/PopupAction.h"

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

void Recorder::OnPopupShown(NativeWidget& popup)
{
    if (m_popupActions.empty()) return;
    std::function<void()> action = std::move(m_popupActions.front());
    m_popupActions.erase(m_popupActions.begin());
    RunInsidePopup(popup, std::move(action), [this] { ++m_popupsLeftOpen; });
}

std::vector<std::string> Recorder::BoxTexts() const
{
    std::vector<std::string> texts;
    for (const Box& box : m_boxes) texts.push_back(box.caption + ": " + box.text);
    return texts;
}

} // namespace ui::testing
