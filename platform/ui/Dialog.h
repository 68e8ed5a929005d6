#pragma once

#include "platform/ui/Window.h"

#include <map>
#include <memory>
#include <vector>

namespace ui {

struct DialogTemplate;
class ModalLoop;

// A dialog built from a template: modal (DoModal) or modeless inside another window (Create).
class Dialog : public Window {
public:
    explicit Dialog(int templateId, Window* parent = nullptr);
    ~Dialog() override;

    // Runs the dialog modally; returns the id passed to EndDialog (IDOK, IDCANCEL, ...),
    // or -1 when the template is missing.
    virtual int DoModal();
    // Creates the dialog without a loop of its own: a child when the template says so.
    bool Create(Window* parent = nullptr);
    // Ends a modal dialog with result; a modeless dialog never ends itself.
    void EndDialog(int result);

    int TemplateId() const { return m_templateId; }
    bool IsModal() const { return m_loop != nullptr || m_modalStarting; }
    Window* GetDlgItem(int id) const;
    // Pixels per 4 horizontal and per 8 vertical dialog units (average character width,
    // character height) of the template font.
    Size GetDialogBaseUnits() const { return m_baseUnits; }
    Rect MapDialogRect(const Rect& dialogUnits) const;
    // The push button that Enter presses now, or null.
    Window* GetDefaultButton() const;

    bool PreTranslateMessage(Msg& msg) override;

protected:
    // Binds the template controls to member objects (BindControl); runs from OnInitDialog.
    virtual void DoDataExchange() { }
    // Returns true to give the focus to the first tab stop.
    virtual bool OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    // Makes control a stand-in for the template control id, when there is one.
    void BindControl(int id, Window& control);

    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnClose() override;
    bool IsClosing() const override { return m_ended && IsModal(); }

private:
    bool Instantiate(const DialogTemplate& dialogTemplate, Window* parent);
    void FocusFirstTabStop();
    // Whether the template makes item id a push button (Enter presses it when focused).
    bool IsPushButton(int id) const;

    int m_templateId = 0;
    Window* m_parentWindow = nullptr;
    Size m_baseUnits;
    std::vector<std::unique_ptr<Window>> m_controls;
    std::map<int, Window*> m_items;
    std::unique_ptr<Font> m_font;
    std::vector<std::unique_ptr<Font>> m_labelFonts; // smaller ones, for labels their text overflows
    ModalLoop* m_loop = nullptr;                     // while the modal loop runs
    bool m_modalStarting = false;
    bool m_ended = false;
    int m_result = -1;
};

} // namespace ui
