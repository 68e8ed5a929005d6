#include "LinkFixture.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Resources.h"
#include "platform/ui/Styles.h"

#include <functional>
#include <map>
#include <string>

namespace {

constexpr int kTemplateId = 9101;
constexpr ui::UINT kRequestExchange = ui::WM_USER + 1;
constexpr ui::UINT kFirstExchangeEnds = ui::WM_USER + 2;
// Only a safety net: should the wait never dispatch the message that frees the link, the test
// fails instead of hanging.
constexpr uintptr_t kWatchdog = 1;

// A window whose posted messages run whatever the test gives them.
class PostBox : public ui::Dialog {
public:
    PostBox() : Dialog(kTemplateId) { }

    ui::LRESULT WindowProc(ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam) override
    {
        if (const auto handler = handlers.find(message); handler != handlers.end()) {
            handler->second();
            return 0;
        }
        return Dialog::WindowProc(message, wParam, lParam);
    }

    std::map<ui::UINT, std::function<void()>> handlers;
};

using BusyWait = LinkFixture;

// An exchange is in progress. A request made meanwhile waits and dispatches messages; one of
// them asks for yet another exchange, which waits too, nested, until the first exchange ends.
// Each then runs whole, one after the other.
TEST_F(BusyWait, ExchangeRequestedDuringTheWaitRunsOnlyAfterTheFirstEnded)
{
    ui::Resources::AddDialog({.id = kTemplateId, .cx = 40, .cy = 20, .fontFace = {}, .caption = {}, .style = ui::WS_POPUP, .controls = {}});
    PostBox box;
    ASSERT_TRUE(box.Create());
    std::vector<std::string> events;
    std::array<uint8_t, CPFCComm::kBufferSize> nested{};
    int nestedResult = 0;
    box.handlers[kRequestExchange] = [&] {
        events.push_back("nested requested");
        nestedResult = comm.Transact(0xF5, 2, nested.data());
        events.push_back("nested done");
    };
    box.handlers[ui::WM_TIMER] = [&] {
        box.KillTimer(kWatchdog);
        events.push_back("watchdog freed the link");
        LinkTestAccess::SetBusy(comm, false);
    };
    box.handlers[kFirstExchangeEnds] = [&] {
        events.push_back(controller->Received().empty() ? "first ended, line quiet" : "first ended, line used");
        LinkTestAccess::SetBusy(comm, false);
    };

    LinkTestAccess::SetBusy(comm, true);
    box.SetTimer(kWatchdog, 10000);
    box.PostMessage(kRequestExchange);
    box.PostMessage(kFirstExchangeEnds);
    const int result = Send(0xF3);

    EXPECT_EQ(events, (std::vector<std::string>{"nested requested", "first ended, line quiet", "nested done"}));
    EXPECT_EQ(std::pair(nestedResult, std::string(nested.begin(), nested.begin() + 5)),
        std::pair(7, controller->Responder().Config().firmwareVersion));
    EXPECT_EQ(std::pair(result, Copied(8)), std::pair(10, controller->Responder().Config().engineCode));
    EXPECT_EQ(controller->Received(), (std::vector<uint8_t>{0xF5, 0x02, 0x08, 0xF3, 0x02, 0x0A}));
}

} // namespace
