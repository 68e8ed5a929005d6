#include "app/CVelmoraDlg.h"

#include "app/CAboutDlg.h"
#include "app/MonitorFormat.h"
#include "config/ActiveProfile.h"
#include "config/CProfSelDlg.h"
#include "link/CPFCComm.h"
#include "ports/CCommSelectDlg.h"
#include "resources/ResourceIds.h"

#include "platform/profile/Cp932.h"
#include "platform/ui/ListView.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Resources.h"
#include "platform/ui/SystemMetrics.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr uint8_t kCmdEngineCode = 0xF3;
constexpr uint8_t kCmdVersion = 0xF5;
constexpr uint8_t kCmdLiveBlock = 0xF0;
constexpr uint8_t kCmdPassword = 0xAD;
constexpr int kNoData = 2;
constexpr size_t kEngineCodeLength = 8;
constexpr size_t kVersionLength = 5;
// The live block's length byte when it carries the short, 30-byte block.
constexpr int kShortLiveBlockLength = 32;
constexpr ui::UINT kIdmAbout = 16;
constexpr const char* kOnInitDialogCaption = "CVelmoraDlg::OnInitDialog()";
constexpr const char* kGetPFCIDCaption = "CVelmoraDlg::GetPFCID()";
constexpr const char* kGetPFCpwdCaption = "CVelmoraDlg::GetPFCpwd()";
constexpr const char* kOnTimerCaption = "CVelmoraDlg::OnTimer()";

const std::string kVelmora = "Velmora";
constexpr int kNoMonItems = 99; // MonItems missing or 99: no monitor list at all
constexpr int kMaxMonItems = 24;
constexpr int kRowsOfExtendedBlock = 4; // the rows only an extended live block carries
constexpr int kDefaultDataItems = 99;
// Six kinds of page exist; a larger count only repeats the box of a missing item, so it is
// held to what a profile without the key already gives.
constexpr int kMaxDataItems = kDefaultDataItems;
constexpr int kUnknownType = 99;

constexpr const char* kTraceStart = "ﾄﾚｰｽ開始";
constexpr const char* kTraceStop = "ﾄﾚｰｽ停止";
constexpr ui::UINT kTraceIntervalMs = 100;
constexpr const char* kUnknownMonItem = "未知のモニタ項目タイプ";
constexpr const char* kUnknownDataItem = "未知のデータ項目タイプ";
constexpr const char* kDuplicateDataItem = "このデータ項目タイプのページは既にあります";
constexpr const char* kNoValue = "-";

// Page kinds, the data item's "Type".
constexpr int kByteMapA = 0;
constexpr int kBoost = 1;
constexpr int kCommand = 2;
constexpr int kByteMapB = 3;
constexpr int kWordMap = 4;
constexpr int kByteMapC = 5;

constexpr int kPasswordLength = 8;
constexpr size_t kPasswordBuffer = 16; // up to 7 characters, the blanks and the terminator
constexpr char kBlanks[] = "        ";

// Where the pages sit in the tab control's client area.
constexpr int kPageLeft = 4;
constexpr int kPageTop = 24;

struct MonColumn {
    int width;
    int format;
};
constexpr MonColumn kMonColumns[] = {{86, ui::LVCFMT_RIGHT}, {52, ui::LVCFMT_RIGHT}, {52, ui::LVCFMT_LEFT}};
constexpr int kValueColumn = 1;
constexpr int kUnitColumn = 2;

std::string DataItemSection(int number)
{
    return config::Numbered("DataItem", number);
}

uint16_t Word(std::span<const uint8_t> bytes, size_t at)
{
    return static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

// The reply's leading text: at most maxLength bytes, ending early at a zero byte and never
// reaching past the data the reply carried; the controller's code page is CP932.
std::string ReplyText(const uint8_t* data, int replyLength, size_t maxLength)
{
    const size_t received = replyLength > 2 ? static_cast<size_t>(replyLength - 2) : 0;
    const size_t limit = std::min(maxLength, received);
    const auto* text = reinterpret_cast<const char*>(data);
    return profile::Cp932().ToUtf8(std::string_view(text, strnlen(text, limit)));
}

} // namespace

CVelmoraDlg::CVelmoraDlg(CPFCComm& comm, config::ActiveProfile& profile)
    : ui::Dialog(res::IDD_VELMORA_DIALOG)
    , m_comm(comm)
    , m_profile(profile)
{
    for (CMapPage* page : {static_cast<CMapPage*>(&m_pageByteMapA), static_cast<CMapPage*>(&m_pageByteMapC),
             static_cast<CMapPage*>(&m_pageByteMapB), static_cast<CMapPage*>(&m_pageWordMap)}) {
        page->Attach(m_comm, m_profile);
    }
    m_pageCommand.Attach(m_comm);
}

CVelmoraDlg::CVelmoraDlg()
    : CVelmoraDlg(theComm, config::TheProfile())
{ }

CVelmoraDlg::~CVelmoraDlg()
{
    // While this object is whole, so that closing stops the trace timer.
    DestroyWindow();
}

void CVelmoraDlg::DoDataExchange()
{
    BindControl(res::IDC_MONLIST, m_listMon);
    BindControl(res::IDC_ENGINECODE, m_stEngineCode);
    BindControl(res::IDC_VERSION, m_stVersion);
    BindControl(res::IDC_TRACE, m_btnTrace);
    BindControl(res::IDC_TAB, m_tab);
}

bool CVelmoraDlg::OnInitDialog()
{
    ui::Dialog::OnInitDialog();

    if (ui::Menu* systemMenu = GetSystemMenu()) {
        const std::string about = ui::Resources::LoadString(res::IDS_ABOUTBOX);
        if (!about.empty()) {
            systemMenu->AppendSeparator();
            systemMenu->AppendItem(kIdmAbout, about);
        }
    }
    SetIcon(res::IDR_MAINFRAME);

    m_bTrace = 0;
    m_nTimerId = 0;

    // Without a port every later exchange fails and says so; start-up goes on regardless.
    m_comm.SetPortChooser([this](std::string& port) {
        CCommSelectDlg dialog(m_profile);
        dialog.m_pTarget = &port;
        return dialog.DoModal() == ui::IDOK;
    });
    m_comm.Open();
    // Says why the chosen port did not open, or which line settings it did not keep; the
    // identification below then goes on as usual, failing or not.
    m_comm.ShowOpenError(this, kOnInitDialogCaption);
    GetPFCID();

    CProfSelDlg profiles(m_profile);
    if (profiles.DoModal() == ui::IDCANCEL) return true;

    if (!BuildMonitorList()) return true;
    if (GetPFCpwd("") == 0) {
        ShowLockedPage();
        return true;
    }
    CreatePages();
    m_tab.SetCurSel(0);
    OnTcnSelchangeTab();
    return true;
}

void CVelmoraDlg::GetPFCID()
{
    std::array<uint8_t, CPFCComm::kMaxData> data{};

    int result = m_comm.Transact(kCmdEngineCode, kNoData, data.data());
    if (result < 0) {
        m_comm.ShowCommError(this, kGetPFCIDCaption, result);
        return;
    }
    m_strEngineCode = ReplyText(data.data(), result, kEngineCodeLength);

    result = m_comm.Transact(kCmdVersion, kNoData, data.data());
    if (result < 0) {
        m_comm.ShowCommError(this, kGetPFCIDCaption, result);
        return;
    }
    m_strVersion = ReplyText(data.data(), result, kVersionLength);

    m_stEngineCode.SetWindowText(m_strEngineCode);
    m_stVersion.SetWindowText(m_strVersion);

    result = m_comm.Transact(kCmdLiveBlock, kNoData, data.data());
    if (result < 0) {
        m_comm.ShowCommError(this, kGetPFCIDCaption, result);
        return;
    }
    m_bExtLiveBlock = result != kShortLiveBlockLength ? 1 : 0;
}

int CVelmoraDlg::GetPFCpwd(const std::string& password)
{
    std::array<uint8_t, CPFCComm::kMaxData> data{};
    const int result = m_comm.Transact(kCmdPassword, kNoData, data.data());
    if (result < 0) {
        m_comm.ShowCommError(this, kGetPFCpwdCaption, result);
        return 0;
    }
    // The candidate is padded with blanks, so a short password compares as eight characters.
    std::array<char, kPasswordBuffer> candidate{};
    const size_t length = std::min(password.size(), kPasswordBuffer - 1 - kPasswordLength);
    std::copy_n(password.begin(), length, candidate.begin());
    std::copy_n(kBlanks, kPasswordLength, candidate.begin() + static_cast<std::ptrdiff_t>(length));

    // A bounded comparison that ends, equal, where both hold a zero byte; a byte the reply
    // did not carry matches nothing.
    const size_t received = result > 2 ? static_cast<size_t>(result - 2) : 0;
    for (size_t i = 0; i < kPasswordLength; ++i) {
        if (i >= received) return 0;
        if (static_cast<uint8_t>(candidate[i]) != data[i]) return 0;
        if (data[i] == 0) return 1;
    }
    return 1;
}

bool CVelmoraDlg::BuildMonitorList()
{
    m_listMon.SetFont(GetFont(), true);
    for (int column = 0; column < static_cast<int>(std::size(kMonColumns)); ++column) {
        m_listMon.InsertColumn(column, "", kMonColumns[column].format, ui::ScaleToScreen(kMonColumns[column].width));
    }

    const int count = m_profile.GetInt(kVelmora, "MonItems", kNoMonItems);
    if (count == kNoMonItems) {
        m_nMonItems = 0;
        return false;
    }
    m_nMonItems = std::clamp(count, 0, kMaxMonItems);

    for (int n = 1; n <= m_nMonItems; ++n) {
        const std::string section = config::Numbered("MonItem", n);
        m_listMon.InsertItem(n - 1, m_profile.GetString(section, "Name"), ui::INDEXTOSTATEIMAGEMASK(1), ui::LVIS_STATEIMAGEMASK);
    }
    for (int n = 1; n <= m_nMonItems; ++n) {
        m_listMon.SetItemText(n - 1, kUnitColumn, m_profile.GetString(config::Numbered("MonItem", n), "Unit"));
        m_listMon.SetItemText(n - 1, kValueColumn, kNoValue);
    }
    // A short live block lacks the data of the last four items.
    if (m_bExtLiveBlock == 0) {
        for (int i = 0; i < kRowsOfExtendedBlock && m_nMonItems > 0; ++i) {
            m_listMon.DeleteItem(m_nMonItems - 1);
            --m_nMonItems;
        }
    }
    ReadMonitorItems();
    return true;
}

void CVelmoraDlg::ReadMonitorItems()
{
    m_nReadableItems = 0;
    for (int n = 1; n <= m_nMonItems; ++n) {
        const std::string section = config::Numbered("MonItem", n);
        MonItem& item = m_monItems[static_cast<size_t>(n - 1)];
        item = MonItem{};
        item.m_dCoefficient = ParseProfileNumber(m_profile.GetString(section, "Coefficient"));
        item.m_dOffset = ParseProfileNumber(m_profile.GetString(section, "Offset"));
        item.m_strFormat = m_profile.GetString(section, "Format");
        item.m_nAddress = m_profile.GetInt(section, "Address", 99);
        item.m_nType = m_profile.GetInt(section, "Type", 99);
        if (!item.IsValid()) {
            ui::MessageBox(this, kUnknownMonItem, res::kAppName);
            return;
        }
        m_nReadableItems = n;
    }
}

void CVelmoraDlg::ShowLockedPage()
{
    if (!m_pageLocked.Create(&m_tab)) return;
    PlacePage(m_pageLocked);
    m_pageLocked.ShowWindow(ui::SW_SHOW);
}

void CVelmoraDlg::CreatePages()
{
    // The map pages read their maps from the controller as they are created.
    ui::Window::SetCursor(ui::Cursor::Wait);
    CreatePageOfEachItem();
    ui::Window::SetCursor(ui::Cursor::Arrow);
}

void CVelmoraDlg::CreatePageOfEachItem()
{
    const int count = std::min(m_profile.GetInt(kVelmora, "DataItems", kDefaultDataItems), kMaxDataItems);
    for (int n = 1; n <= count; ++n) {
        const std::string section = DataItemSection(n);
        // The tab keeps its item number, so the switch handlers find the item after removals.
        const int tab = m_tab.InsertItem(n - 1, m_profile.GetString(section, "Name"), n);
        const int kind = m_profile.GetInt(section, "Type", kUnknownType);
        ui::Dialog* page = PageOfKind(kind);
        if (page == nullptr || page->IsWindow()) {
            // One page object per kind: a second item of a kind is refused like an unknown one.
            m_tab.DeleteItem(tab);
            ui::MessageBox(this, page == nullptr ? kUnknownDataItem : kDuplicateDataItem, res::kAppName);
            continue;
        }
        if (!page->Create(&m_tab)) continue;
        PlacePage(*page);
        if (kind == kByteMapA || kind == kByteMapB || kind == kByteMapC || kind == kWordMap) {
            static_cast<CMapPage*>(page)->InitMap(n - 1);
        }
    }
}

void CVelmoraDlg::PlacePage(ui::Dialog& page)
{
    const ui::Rect size = page.GetWindowRect();
    const int left = ui::ScaleToScreen(kPageLeft);
    const int top = ui::ScaleToScreen(kPageTop);
    page.MoveWindow(ui::Rect{left, top, left + size.Width(), top + size.Height()});
    page.BringToTop();
}

ui::Dialog* CVelmoraDlg::PageOfKind(int kind)
{
    switch (kind) {
    case kByteMapA: return &m_pageByteMapA;
    case kBoost: return &m_pageBoost;
    case kCommand: return &m_pageCommand;
    case kByteMapB: return &m_pageByteMapB;
    case kWordMap: return &m_pageWordMap;
    case kByteMapC: return &m_pageByteMapC;
    default: return nullptr;
    }
}

int CVelmoraDlg::SelectedItemType()
{
    const int selected = m_tab.GetCurSel();
    if (selected < 0) return kNoPage;
    const int number = static_cast<int>(m_tab.GetItemData(selected));
    return m_profile.GetInt(DataItemSection(number), "Type", 0);
}

void CVelmoraDlg::ShowPageOfKind(int kind, bool show)
{
    ui::Dialog* page = PageOfKind(kind);
    if (page != nullptr && page->IsWindow()) page->ShowWindow(show ? ui::SW_SHOW : ui::SW_HIDE);
}

void CVelmoraDlg::OnTcnSelchangingTab()
{
    if (m_tab.GetCurSel() < 0) return;
    m_nPageType = SelectedItemType();
    ShowPageOfKind(m_nPageType, false);
}

void CVelmoraDlg::OnTcnSelchangeTab()
{
    if (m_tab.GetCurSel() < 0) return;
    m_nPageType = SelectedItemType();
    ShowPageOfKind(m_nPageType, true);
}

bool CVelmoraDlg::OnNotify(ui::WPARAM wParam, ui::LPARAM lParam, ui::LRESULT* result)
{
    const ui::NMHDR* header = ui::NotificationRecord(lParam);
    if (wParam == res::IDC_TAB && header != nullptr) {
        if (header->code == ui::TCN_SELCHANGING) OnTcnSelchangingTab();
        if (header->code == ui::TCN_SELCHANGE) OnTcnSelchangeTab();
    }
    // Unhandled, the answer is 0: a page change is never refused.
    return ui::Dialog::OnNotify(wParam, lParam, result);
}

bool CVelmoraDlg::OnCommand(ui::WPARAM wParam, ui::LPARAM lParam)
{
    if (ui::LOWORD(wParam) == res::IDC_TRACE && ui::HIWORD(wParam) == ui::BN_CLICKED) OnBnClickedTrace();
    return ui::Dialog::OnCommand(wParam, lParam);
}

void CVelmoraDlg::OnBnClickedTrace()
{
    if (m_bTrace != 0) {
        KillTimer(m_nTimerId);
        m_btnTrace.SetWindowText(kTraceStart);
        m_bTrace = 0;
        ClearTraceTrails();
    } else {
        m_nTimerId = SetTimer(kTraceTimer, kTraceIntervalMs);
        m_btnTrace.SetWindowText(kTraceStop);
        m_bTrace = 1;
    }
}

// Without a trace the trails mark nothing and only hide the colour scales.
void CVelmoraDlg::ClearTraceTrails()
{
    for (const int kind : {kByteMapA, kByteMapB, kByteMapC, kWordMap}) {
        if (ui::Dialog* page = PageOfKind(kind); page->IsWindow()) static_cast<CMapPage*>(page)->ClearTrace();
    }
}

void CVelmoraDlg::OnTimer(uintptr_t)
{
    std::array<uint8_t, CPFCComm::kMaxData> data{};
    const int result = m_comm.Transact(kCmdLiveBlock, kNoData, data.data());
    if (result < 0) {
        // Stopped before the box opens, so no poll runs while it is up.
        OnBnClickedTrace();
        m_comm.ShowCommError(this, kOnTimerCaption, result);
        return;
    }
    const size_t received = result > 2 ? static_cast<size_t>(result - 2) : 0;
    const std::span<const uint8_t> live(data.data(), received);
    UpdateMonitorRows(live);

    constexpr size_t kTraceWords = 4;
    if (live.size() >= kTraceWords) {
        if (ui::Dialog* page = PageOfKind(m_nPageType); page != nullptr && m_nPageType != kBoost && m_nPageType != kCommand) {
            static_cast<CMapPage*>(page)->ShowTracePoint(Word(live, 0), Word(live, 2));
        }
    }
}

void CVelmoraDlg::UpdateMonitorRows(std::span<const uint8_t> live)
{
    m_listMon.SetRedraw(false);
    const int rows = std::min(m_nMonItems, m_nReadableItems);
    for (int row = 0; row < rows; ++row) {
        MonItem& item = m_monItems[static_cast<size_t>(row)];
        // An item whose bytes did not arrive keeps what it shows.
        const std::optional<int> raw = item.ReadRaw(live);
        if (!raw || *raw == item.m_nLastRaw) continue;
        const MonItem::Reading reading = item.Convert(*raw);
        if (reading.unit != nullptr) m_listMon.SetItemText(row, kUnitColumn, reading.unit);
        m_listMon.SetItemText(row, kValueColumn, FormatMonitorValue(item.m_strFormat, reading.value));
        item.m_nLastRaw = *raw;
    }
    m_listMon.SetRedraw(true);
}

bool CVelmoraDlg::PreTranslateMessage(ui::Msg& msg)
{
    // Escape never closes the main window; the close box and the system menu do.
    if (msg.message == ui::WM_KEYDOWN && msg.wParam == ui::VK_ESCAPE) return true;
    return ui::Dialog::PreTranslateMessage(msg);
}

void CVelmoraDlg::OnSysCommand(ui::UINT id, ui::LPARAM lParam)
{
    if ((id & 0xFFF0) == kIdmAbout) {
        CAboutDlg about;
        about.DoModal();
        return;
    }
    ui::Dialog::OnSysCommand(id, lParam);
}
