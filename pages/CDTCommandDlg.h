#pragma once

#include "pages/CMapGridCtrl.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/Edit.h"
#include "widgets/grid/CGridCtrl.h"

#include <memory>

class CPFCComm;

// The command console page: one hand-made command frame (command byte, data length and up to
// 127 data bytes typed in hexadecimal) and the data bytes of its reply.
class CDTCommandDlg : public ui::Dialog {
public:
    static constexpr int kNoDataFrameLength = 2; // command and length bytes alone
    static constexpr int kBytesPerRow = 16;
    static constexpr int kByteRows = 8;
    static constexpr int kBytes = kBytesPerRow * kByteRows;

    CDTCommandDlg();
    ~CDTCommandDlg() override;

    // The link the frames go out on; set before the page is created.
    void Attach(CPFCComm& comm) { m_comm = &comm; }

    // Makes byte cells 0..n - 1 of `grid` active and the rest inactive (negative n: none active).
    static void MarkActiveCells(CGridCtrl& grid, int n);
    void OnBnClickedDwcmdsend();

    CMapGridCtrl& SendGrid() { return m_sendGrid; }
    CGridCtrl& ReceiveGrid() { return m_recvGrid; }
    // The length handed to Transact: data length + 2.
    int FrameLength() const { return m_frameLength; }
    // Send record of byte i (0..127).
    const CellValue& SendValue(int i) const { return m_sendValues[static_cast<size_t>(i)]; }

protected:
    void DoDataExchange() override;
    bool OnInitDialog() override;
    // The page never closes itself, whatever Escape or a cancel button says.
    void OnCancel() override { }
    bool OnCommand(ui::WPARAM wParam, ui::LPARAM lParam) override;
    bool OnNotify(ui::WPARAM wParam, ui::LPARAM lParam, ui::LRESULT* result) override;

private:
    void SetUpGrid(CGridCtrl& grid, bool editable);
    void OnLengthUpdate();
    ui::LRESULT OnSendCellEdited(int row, int col);

    CPFCComm* m_comm = nullptr;
    ui::Edit m_command;
    ui::Edit m_length;
    CMapGridCtrl m_sendGrid;
    CGridCtrl m_recvGrid{0, 0, 0, 0};
    int m_frameLength = kNoDataFrameLength;
    std::unique_ptr<CellValue[]> m_sendValues;
};
