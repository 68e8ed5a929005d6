// A chosen port that will not open: one box says why, then start-up goes on as it always has,
// with the identification's communication error.

#include "PtyAppFixture.h"

#include "platform/serial/SerialDevice.h"
#include "platform/ui/MessageBox.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

enum class Cause { NotFound, Permission, Busy, Gone, NoTerminal };

struct UnopenablePort {
    const char* name;
    Cause cause;
    std::string says; // follows the port's path in the box
};

class PortOpenFaults : public PtyAppFixture, public ::testing::WithParamInterface<UnopenablePort> {
protected:
    void TearDown() override
    {
        EXPECT_EQ(::seteuid(m_uid), 0);
        ::close(m_lockedMaster);
        PtyAppFixture::TearDown();
    }

    // Makes the port the user chooses unopenable the way `cause` says; returns its path.
    std::string MakeUnopenable(Cause cause)
    {
        std::string path = server.DevicePath();
        switch (cause) {
        case Cause::NoTerminal: directory.Write("ttyUSB0", ""); [[fallthrough]];
        case Cause::NotFound: path = directory.File("ttyUSB0"); break;
        // The system answers a terminal whose other side never unlocked it with an I/O error,
        // as it does a port whose device went away.
        case Cause::Gone: path = ::ptsname(m_lockedMaster = ::posix_openpt(O_RDWR | O_NOCTTY)); break;
        case Cause::Busy: m_otherProgram = serial::SerialDevice::Open(path); break;
        case Cause::Permission:
            EXPECT_EQ(::chmod(path.c_str(), 0), 0);
            // Root passes any mode, so the port is opened as a user who is neither root nor in
            // the terminal's group; the first box brings root back.
            recorder.OnDialog(res::IDD_COMMSELECT, [](ui::Dialog&) {
                ui::testing::PressKey(ui::VK_RETURN);
                EXPECT_EQ(::seteuid(::geteuid() == 0 ? 65534 : ::geteuid()), 0);
            });
            recorder.OnBox([this](const ui::testing::Recorder::Box&) { EXPECT_EQ(::seteuid(m_uid), 0); });
        }
        OfferPort(path);
        return path;
    }

    const uid_t m_uid = ::geteuid();
    std::unique_ptr<serial::SerialDevice> m_otherProgram;
    int m_lockedMaster = -1;
};

TEST_P(PortOpenFaults, SayWhyInOneBoxThenStartUpGoesOnAsBefore)
{
    const std::string path = MakeUnopenable(GetParam().cause);
    ASSERT_NO_FATAL_FAILURE(Start(false));

    using Shown = std::pair<ui::Window*, unsigned>; // owner, flags
    for (const auto& box : recorder.Boxes()) EXPECT_EQ(Shown(box.owner, box.flags), Shown(&window, ui::MB_ICONERROR | ui::MB_OK));
    EXPECT_EQ(TakeBoxes(), (Strings{"CVelmoraDlg::OnInitDialog(): " + path + GetParam().says, "CVelmoraDlg::GetPFCID(): 通信エラー"}));
    EXPECT_EQ(std::pair(comm.PortPath(), comm.IsOpen()), std::pair(path, false));
    EXPECT_EQ(recorder.DialogsOpened(res::IDD_PROFSEL), 1);
    EXPECT_EQ(window.GetDlgItem(res::IDC_ENGINECODE)->GetWindowText(), "PowerFC");
    ClickTrace();
    EXPECT_EQ(TraceState(), kTracing);
}

INSTANTIATE_TEST_SUITE_P(Causes, PortOpenFaults,
    ::testing::Values(UnopenablePort{"PathDoesNotExist", Cause::NotFound, " が見つかりません。機器が接続されているか確認してください。"},
        UnopenablePort{"NoPermission", Cause::Permission, " へのアクセスが拒否されました。ユーザーを dialout グループに追加してください。"},
        UnopenablePort{"HeldByAnotherProgram", Cause::Busy, " は他のプログラムが使用中です。"},
        UnopenablePort{"DeviceGone", Cause::Gone, " との接続が切れました。"},
        UnopenablePort{"NotATerminal", Cause::NoTerminal, " を開けませんでした。"}),
    [](const ::testing::TestParamInfo<UnopenablePort>& info) { return std::string(info.param.name); });

} // namespace
