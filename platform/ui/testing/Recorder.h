#pragma once

#include "platform/ui/InteractionHooks.h"
#include "platform/ui/MessageBox.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace ui {
class Window;
class Dialog;
class Menu;
} // namespace ui

namespace ui::testing {

// Test seam: while a Recorder exists, message boxes are captured and answered instead of
// shown, and scripted actions run when a modal dialog of a given template opens.
class Recorder final : public InteractionHooks {
public:
    struct Box {
        Window* owner = nullptr;
        std::string text;
        std::string caption;
        unsigned flags = 0;
        unsigned Icon() const { return flags & MB_ICONMASK; }
    };
    using DialogAction = std::function<void(Dialog&)>;

    Recorder() : m_previous(InteractionHooks::Install(this)) { }
    ~Recorder() override { InteractionHooks::Install(m_previous); }
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    const std::vector<Box>& Boxes() const { return m_boxes; }
    // Every captured box as "caption: text".
    std::vector<std::string> BoxTexts() const;
    void ClearBoxes() { m_boxes.clear(); }
    // The id every captured box returns (IDOK unless set).
    void AnswerBoxesWith(int id) { m_boxAnswer = id; }
    // Runs once per opening of a modal dialog built from templateId, after its
    // initialisation, in place of its loop; actions queue, the first unused one runs.
    // A dialog the action leaves open, or one without an action, is then cancelled, so a
    // test never waits on a dialog.
    void OnDialog(int templateId, DialogAction action) { m_actions[templateId].push_back(std::move(action)); }
    // Called when a box or a dialog opens; a function runs for every box as it opens.
    void OnBox(std::function<void(const Box&)> observer) { m_boxObserver = std::move(observer); }

    // The next system menu that opens chooses id (0 closes it without a choice).
    void ChooseSystemMenuItem(unsigned id) { m_menuChoice = id; }

    // Real popups: while actions are queued, the next message box or popup menu is shown for
    // real (and still recorded) and the first queued action runs inside it once it is open, as
    // a user acting on it. A popup the action leaves open is closed and counted, so a test
    // never waits on one.
    void WhilePopupOpen(std::function<void()> action) { m_popupActions.push_back(std::move(action)); }
    int PopupsLeftOpen() const { return m_popupsLeftOpen; }
    int DialogsOpened(int templateId) const { return m_opened.contains(templateId) ? m_opened.at(templateId) : 0; }

    std::optional<int> OnMessageBox(Window* owner, const std::string& text, const std::string& caption, unsigned flags) override;
    void OnModalDialog(Dialog& dialog) override;
    std::optional<unsigned> OnSystemMenu(const Menu&) override { return std::exchange(m_menuChoice, std::nullopt); }
    void OnPopupShown(NativeWidget& popup) override;

private:
    std::vector<Box> m_boxes;
    int m_boxAnswer = 1;
    std::map<int, std::vector<DialogAction>> m_actions;
    std::map<int, int> m_opened;
    std::function<void(const Box&)> m_boxObserver;
    std::optional<unsigned> m_menuChoice;
    std::vector<std::function<void()>> m_popupActions;
    int m_popupsLeftOpen = 0;
    InteractionHooks* m_previous = nullptr;
};

} // namespace ui::testing
