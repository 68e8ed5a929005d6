#include "pages/CDTCommandDlg.h"

#include "link/CPFCComm.h"
#include "pages/TypedHexNumber.h"
#include "resources/ResourceIds.h"

#include "platform/ui/Font.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Messages.h"
#include "platform/ui/SystemMetrics.h"

#include <array>
#include <cstdio>
#include <optional>
#include <string>

namespace {

constexpr int kGridRows = CDTCommandDlg::kByteRows + 1;       // with the header row
constexpr int kGridColumns = CDTCommandDlg::kBytesPerRow + 1; // with the header column
constexpr int kCellWidth = 30;
constexpr int kHeaderColumnWidth = 36;
constexpr int kLowerValueLimit = 0;
constexpr int kUpperValueLimit = 0xFF;
constexpr int kMaxDataLength = 0x7F; // one less than the grid's cells: the frame length byte ends at 0x81
constexpr int kMaxCommand = 0xFF;
constexpr int kPasswordCommand = 0xAD; // the password field is not for hand-made frames
constexpr int kCellFontTenths = 100;
constexpr const char* kCellFontFace = "Arial Bold";
constexpr const char* kInitialCommand = "F3";
constexpr const char* kInitialLength = "00";
constexpr const char* kInitialCell = "00";
constexpr const char* kInvalidCommand = "無効なコマンドです";
constexpr const char* kSendCaption = "CDTCommandDlg::OnBnClickedDwcmdsend()";

constexpr ui::COLORREF kActiveBack = ui::RGB(0, 0, 96);
constexpr ui::COLORREF kActiveText = ui::RGB(255, 255, 255);
constexpr ui::COLORREF kInactiveBack = ui::RGB(128, 128, 128);
constexpr ui::COLORREF kInactiveText = ui::RGB(192, 192, 192);
constexpr ui::COLORREF kHeaderText = ui::RGB(0, 0, 0);
constexpr ui::COLORREF kHeaderBack = ui::RGB(192, 192, 192);

constexpr ui::LRESULT kAcceptEdit = 0;
constexpr ui::LRESULT kRejectEdit = -1;

std::string Hex2(int value)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02X", value & 0xFF);
    return text;
}

int RowOf(int byte)
{
    return byte / CDTCommandDlg::kBytesPerRow + 1;
}

int ColumnOf(int byte)
{
    return byte % CDTCommandDlg::kBytesPerRow + 1;
}

} // namespace

CDTCommandDlg::CDTCommandDlg()
    : ui::Dialog(res::IDD_DT_COMMAND)
{ }

CDTCommandDlg::~CDTCommandDlg() = default;

void CDTCommandDlg::DoDataExchange()
{
    BindControl(res::IDC_COMMAND, m_command);
    BindControl(res::IDC_DATALENGTH, m_length);
    BindControl(res::IDC_SENDGRID, m_sendGrid);
    BindControl(res::IDC_RECVGRID, m_recvGrid);
}

void CDTCommandDlg::SetUpGrid(CGridCtrl& grid, bool editable)
{
    grid.SetEditable(editable);
    grid.SetDefaultCellWidth(ui::ScaleToScreen(kCellWidth));
    grid.SetFixedColumnCount(1);
    grid.SetFixedRowCount(1);
    grid.SetColumnWidth(0, ui::ScaleToScreen(kHeaderColumnWidth));

    CGridDefaultCell* normal = grid.GetDefaultCell(false, false);
    normal->SetTextColor(kActiveText);
    normal->SetBackColor(kActiveBack);
    for (const auto& [fixedRow, fixedCol] : {std::pair{true, false}, std::pair{false, true}, std::pair{true, true}}) {
        CGridDefaultCell* header = grid.GetDefaultCell(fixedRow, fixedCol);
        header->SetTextColor(kHeaderText);
        header->SetBackColor(kHeaderBack);
    }

    if (&grid == &m_sendGrid) {
        m_sendValues = std::make_unique<CellValue[]>(kBytes);
        m_sendGrid.m_pValues = m_sendValues.get();
    }

    grid.SetRowCount(kGridRows);
    grid.SetColumnCount(kGridColumns);
    if (&grid == &m_sendGrid) {
        m_sendGrid.m_nMinValue = kLowerValueLimit;
        m_sendGrid.m_nMaxValue = kUpperValueLimit;
    }

    // The font object itself is replaced, so data cells draw in it while headers keep theirs.
    if (auto* font = reinterpret_cast<ui::Font*>(grid.SendMessage(ui::WM_GETFONT)); font != nullptr) {
        font->DeleteObject();
        font->CreatePointFont(kCellFontTenths, kCellFontFace);
    }
}

bool CDTCommandDlg::OnInitDialog()
{
    ui::Dialog::OnInitDialog();

    SetUpGrid(m_sendGrid, true);
    SetUpGrid(m_recvGrid, false);

    for (int i = 0; i < kBytes; ++i) {
        m_sendGrid.SetCellText(RowOf(i), ColumnOf(i), kInitialCell);
        m_sendValues[static_cast<size_t>(i)] = CellValue{0, 0};
        m_recvGrid.SetCellText(RowOf(i), ColumnOf(i), kInitialCell);
    }

    char text[8];
    for (CGridCtrl* grid : {static_cast<CGridCtrl*>(&m_sendGrid), &m_recvGrid}) {
        for (int col = 0; col < kBytesPerRow; ++col) {
            std::snprintf(text, sizeof text, "+%1X", col);
            grid->SetCellText(0, col + 1, text);
        }
        for (int row = 0; row < kByteRows; ++row) {
            std::snprintf(text, sizeof text, "+%1X0", row);
            grid->SetCellText(row + 1, 0, text);
        }
    }

    m_command.SetWindowText(kInitialCommand);
    // Runs the length handlers: frame length 2, every send cell inactive.
    m_length.SetWindowText(kInitialLength);
    MarkActiveCells(m_recvGrid, 0);
    return true;
}

void CDTCommandDlg::MarkActiveCells(CGridCtrl& grid, int n)
{
    for (int i = 0; i < kBytes; ++i) {
        const int row = RowOf(i);
        const int col = ColumnOf(i);
        const ui::UINT state = grid.GetCellState(row, col);
        if (i < n) {
            grid.SetCellState(row, col, state & ~static_cast<ui::UINT>(GVIS_READONLY));
            grid.SetCellBackColor(row, col, kActiveBack);
            grid.SetCellTextColor(row, col, kActiveText);
        } else {
            // Only greyed: the text stays, and a send byte goes out again when the length grows.
            grid.SetCellState(row, col, state | GVIS_READONLY);
            grid.SetCellBackColor(row, col, kInactiveBack);
            grid.SetCellTextColor(row, col, kInactiveText);
        }
    }
    grid.Invalidate(true);
}

void CDTCommandDlg::OnLengthUpdate()
{
    int length = ParseTypedHex(m_length.GetWindowText()).value_or(0);
    if (length < 0 || length > kMaxDataLength) length = 0;
    m_frameLength = length + kNoDataFrameLength;
}

bool CDTCommandDlg::OnCommand(ui::WPARAM wParam, ui::LPARAM lParam)
{
    const int id = ui::LOWORD(wParam);
    const int code = ui::HIWORD(wParam);
    if (id == res::IDC_DATALENGTH && code == ui::EN_UPDATE) OnLengthUpdate();
    if (id == res::IDC_DATALENGTH && code == ui::EN_CHANGE) MarkActiveCells(m_sendGrid, m_frameLength - kNoDataFrameLength);
    if (id == res::IDC_DWCMDSEND && code == ui::BN_CLICKED) OnBnClickedDwcmdsend();
    // The base has no work for these ids.
    return ui::Dialog::OnCommand(wParam, lParam);
}

bool CDTCommandDlg::OnNotify(ui::WPARAM wParam, ui::LPARAM lParam, ui::LRESULT* result)
{
    const auto* record = ui::NotificationRecord<NM_GRIDVIEW>(lParam);
    if (static_cast<int>(wParam) == res::IDC_SENDGRID && record != nullptr && record->hdr.code == GVN_ENDLABELEDIT) {
        *result = OnSendCellEdited(record->iRow, record->iColumn);
        return true;
    }
    return ui::Dialog::OnNotify(wParam, lParam, result);
}

ui::LRESULT CDTCommandDlg::OnSendCellEdited(int row, int col)
{
    CellValue* value = m_sendGrid.ValueAt(row, col);
    if (value == nullptr) return kRejectEdit;
    const std::string text = m_sendGrid.GetCellText(row, col);
    if (text.empty()) {
        // The map grid's revert and step keys show a changed value this way.
        m_sendGrid.SetCellText(row, col, Hex2(value->current).c_str());
        return kAcceptEdit;
    }
    const std::optional<int> typed = ParseTypedHex(text);
    if (!typed || *typed < kLowerValueLimit || *typed > kUpperValueLimit) return kRejectEdit;
    m_sendGrid.SetCellText(row, col, Hex2(*typed).c_str());
    value->current = static_cast<uint16_t>(*typed);
    return kAcceptEdit;
}

void CDTCommandDlg::OnBnClickedDwcmdsend()
{
    const std::optional<int> command = ParseTypedHex(m_command.GetWindowText());
    if (!command) return;
    if (*command < 0 || *command > kMaxCommand || *command == kPasswordCommand) {
        ui::MessageBox(this, kInvalidCommand, res::kAppName);
        return;
    }

    std::array<uint8_t, CPFCComm::kMaxData> data{};
    for (int i = 0; i < m_frameLength - kNoDataFrameLength; ++i) {
        data[static_cast<size_t>(i)] = static_cast<uint8_t>(m_sendValues[static_cast<size_t>(i)].current & 0xFF);
    }
    const int result = m_comm->Transact(static_cast<uint8_t>(*command), m_frameLength, data.data());
    if (result < 0) {
        m_comm->ShowCommError(this, kSendCaption, result);
        return;
    }

    const int received = result - kNoDataFrameLength;
    // Only the first 128 data bytes of a longer reply fit the grid.
    for (int i = 0; i < received && i < kBytes; ++i) {
        m_recvGrid.SetCellText(RowOf(i), ColumnOf(i), Hex2(data[static_cast<size_t>(i)]).c_str());
    }
    MarkActiveCells(m_recvGrid, received);
}
