#pragma once

#include "app/CDTPasswdDlg.h"
#include "app/MonItem.h"
#include "pages/CDTBoostDlg.h"
#include "pages/CDTByteMapDlg.h"
#include "pages/CDTCommandDlg.h"
#include "pages/CDTWordMapDlg.h"
#include "widgets/list/CListCtrlEx.h"

#include "platform/ui/Button.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Static.h"
#include "platform/ui/TabCtrl.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

class CPFCComm;
namespace config {
class ActiveProfile;
}

// The main window: the tab pages on the left, the controller's identity, the trace button
// and the monitor list on the right.
class CVelmoraDlg : public ui::Dialog {
public:
    static constexpr int kNoPage = -1;
    static constexpr uintptr_t kTraceTimer = 1;

    CVelmoraDlg(CPFCComm& comm, config::ActiveProfile& profile);
    CVelmoraDlg();
    ~CVelmoraDlg() override;

    bool PreTranslateMessage(ui::Msg& msg) override;

    // Reads the engine code, the firmware version and the live block's length.
    void GetPFCID();
    // 1 when the controller's password field matches password (at most 7 characters), else 0.
    int GetPFCpwd(const std::string& password);
    void OnBnClickedTrace();

    const std::string& EngineCode() const { return m_strEngineCode; }
    const std::string& Version() const { return m_strVersion; }
    bool ExtLiveBlock() const { return m_bExtLiveBlock != 0; }
    bool Tracing() const { return m_bTrace != 0; }
    int PageType() const { return m_nPageType; }
    int MonItemCount() const { return m_nMonItems; }
    CListCtrlEx& MonitorList() { return m_listMon; }
    ui::TabCtrl& Tabs() { return m_tab; }
    // The page of a data item kind (0..5), or null.
    ui::Dialog* PageOfKind(int kind);
    ui::Dialog& LockedPage() { return m_pageLocked; }

protected:
    void DoDataExchange() override;
    bool OnInitDialog() override;
    bool OnCommand(ui::WPARAM wParam, ui::LPARAM lParam) override;
    bool OnNotify(ui::WPARAM wParam, ui::LPARAM lParam, ui::LRESULT* result) override;
    void OnSysCommand(ui::UINT id, ui::LPARAM lParam) override;
    void OnTimer(uintptr_t id) override;

private:
    // Start-up steps; each false ends start-up.
    bool BuildMonitorList();
    void ReadMonitorItems();
    void ShowLockedPage();
    void CreatePages();
    void CreatePageOfEachItem();
    void PlacePage(ui::Dialog& page);

    void OnTcnSelchangingTab();
    void OnTcnSelchangeTab();
    int SelectedItemType();
    void ShowPageOfKind(int kind, bool show);
    void UpdateMonitorRows(std::span<const uint8_t> live);
    void ClearTraceTrails();

    CPFCComm& m_comm;
    config::ActiveProfile& m_profile;

    CListCtrlEx m_listMon;
    ui::Static m_stEngineCode;
    ui::Static m_stVersion;
    uintptr_t m_nTimerId = 0;
    int m_bTrace = 0;
    int m_bExtLiveBlock = 1;
    std::string m_strEngineCode;
    std::string m_strVersion;
    ui::Button m_btnTrace;
    CDTByteMapDlg m_pageByteMapA;
    CDTByteMapDlg m_pageByteMapC;
    CDTByteMapDlg m_pageByteMapB;
    CDTWordMapDlg m_pageWordMap;
    CDTBoostDlg m_pageBoost;
    CDTPasswdDlg m_pageLocked;
    CDTCommandDlg m_pageCommand;
    int m_nMonItems = 0;
    // Items from the first invalid definition on show "-" and are never read.
    int m_nReadableItems = 0;
    int m_nPageType = kNoPage;
    std::array<MonItem, 32> m_monItems{};
    ui::TabCtrl m_tab;
};
