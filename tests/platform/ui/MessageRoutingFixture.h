#pragma once

// A dialog whose custom control logs what reaches it: the order of pre-translation, keys,
// clicks, ticks and system commands.

#include "UiFixture.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessagePump.h"
#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

using namespace ui;
using namespace uitest;

namespace uitest {

using Log = std::vector<std::string>;

// Timers in these tests have no delay, so they expire at every turn of the loop: a tick that is
// due comes within a turn or two, and one that must not come would within a few.
constexpr int kQuietMs = 50;
constexpr int kBoundMs = 2000;
constexpr int kTurns = 8; // of the loop dispatched inside a tick

inline size_t Ticks(const Log& log, int id)
{
    return static_cast<size_t>(std::count(log.begin(), log.end(), "timer " + std::to_string(id)));
}

// A custom-drawn control that logs what reaches it, and optionally eats keys early.
class LoggingControl : public Window {
public:
    Log log;
    bool consumeKeys = false;
    std::function<void()> duringTimer; // runs inside the next tick
    uintptr_t pumpingTimer = 0;        // whose ticks dispatch messages, as the link's wait does

    bool PreTranslateMessage(Msg& msg) override
    {
        if (msg.message == WM_KEYDOWN) log.push_back("control pre " + std::to_string(msg.wParam));
        if (msg.message == WM_LBUTTONDOWN) log.push_back("control pre click " + std::to_string(msg.pt.x) + "," + std::to_string(msg.pt.y));
        return consumeKeys && msg.message == WM_KEYDOWN;
    }

protected:
    void OnKeyDown(UINT vk, UINT, UINT) override { log.push_back("control key " + std::to_string(vk)); }
    void OnChar(UINT ch, UINT, UINT) override { log.push_back("control char " + std::to_string(ch)); }
    void OnLButtonDown(UINT, Point at) override { log.push_back("control click " + std::to_string(at.x) + "," + std::to_string(at.y)); }
    void OnTimer(uintptr_t id) override
    {
        log.push_back("timer " + std::to_string(id));
        if (id == pumpingTimer) {
            for (int turn = 0; turn < kTurns; ++turn) PumpMessage();
            log.push_back("tick ends");
        }
        if (duringTimer) std::exchange(duringTimer, nullptr)();
    }
    UINT OnGetDlgCode() override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }
};

// Logs into its control's log, so one log shows the order of the whole walk.
class HostDialog : public DialogHost<LoggingControl, kHostDialog, kCustom> {
public:
    bool PreTranslateMessage(Msg& msg) override
    {
        if (msg.message == WM_KEYDOWN) control.log.push_back("dialog pre " + std::to_string(msg.wParam));
        return Dialog::PreTranslateMessage(msg);
    }

protected:
    void OnSysCommand(UINT id, LPARAM lParam) override
    {
        control.log.push_back("system " + std::to_string(id));
        Dialog::OnSysCommand(id, lParam);
    }
};

class MessageRouting : public UiFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dialog.Create());
        ui::testing::ShowAndActivate(dialog);
        dialog.control.SetFocus();
    }

    HostDialog dialog;
    Log& log = dialog.control.log;
};

} // namespace uitest
