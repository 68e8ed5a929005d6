#include "platform/ui/testing/Recorder.h"

#include "platform/ui/Menu.h"
#include "platform/ui/MessageBox.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace ui::testing {

namespace {
Recorder* g_active = nullptr;
}

unsigned Recorder::Box::Icon() const
{
    return flags & MB_ICONMASK;
}

Recorder::Recorder()
    : m_previous(g_active)
{
    g_active = this;
}

Recorder::~Recorder()
{
    g_active = m_previous;
}

Recorder* Recorder::Active()
{
    return g_active;
}

void Recorder::OnDialog(int templateId, DialogAction action)
{
    m_actions[templateId].push_back(std::move(action));
}

int Recorder::RecordBox(Window* owner, const std::string& text, const std::string& caption, unsigned flags)
{
    m_boxes.push_back(Box{owner, text, caption, flags});
    if (m_boxObserver) m_boxObserver(m_boxes.back());
    return m_boxAnswer;
}

bool Recorder::RunDialogAction(int templateId, Dialog& dialog)
{
    ++m_opened[templateId];
    auto found = m_actions.find(templateId);
    if (found == m_actions.end() || found->second.empty()) return false;
    DialogAction action = std::move(found->second.front());
    found->second.erase(found->second.begin());
    action(dialog);
    return true;
}

void Recorder::ActInside(QWidget& popup)
{
    if (m_popupActions.empty()) return;
    std::function<void()> action = std::move(m_popupActions.front());
    m_popupActions.erase(m_popupActions.begin());
    QPointer<QWidget> guard(&popup);
    QTimer::singleShot(0, &popup, [this, guard, action = std::move(action)] {
        // Activated as a window manager would, so keys reach the popup.
        if (guard->windowType() != Qt::Popup) QApplication::setActiveWindow(guard);
        action();
        if (guard && guard->isVisible()) {
            ++m_popupsLeftOpen;
            guard->close();
        }
    });
}

int Recorder::DialogsOpened(int templateId) const
{
    auto found = m_opened.find(templateId);
    return found == m_opened.end() ? 0 : found->second;
}

unsigned Recorder::ChooseFromSystemMenu(const Menu& menu)
{
    m_lastMenu.clear();
    for (const auto& entry : menu.Entries()) m_lastMenu.push_back(entry.text);
    m_menuChoiceSet = false;
    return m_menuChoice;
}

} // namespace ui::testing
