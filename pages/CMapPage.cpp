#include "pages/CMapPage.h"

#include "config/ActiveProfile.h"
#include "link/CPFCComm.h"
#include "pages/PrintedNumber.h"
#include "pages/TypedNumber.h"
#include "resources/ResourceIds.h"

#include "platform/ui/Font.h"
#include "platform/ui/SystemMetrics.h"

#include <algorithm>

namespace {

constexpr int kNoData = 2; // a frame length byte without data bytes
constexpr uint8_t kCmdAxes = 0x8A;
constexpr size_t kAxisReplyBytes = 4 * CMapPage::kAxisPoints; // two axes of 16-bit words
constexpr double kPressureScale = 0.0001;

constexpr int kHeaderColumnWidth = 42;
constexpr int kMapFontTenths = 90;
constexpr const char* kMapFontFace = "Arial";
constexpr ui::COLORREF kCellText = ui::RGB(255, 255, 255);
constexpr ui::COLORREF kCellBack = ui::RGB(0, 0, 0);
constexpr ui::COLORREF kHeaderText = ui::RGB(0, 0, 0);
constexpr ui::COLORREF kHeaderBack = ui::RGB(192, 192, 192);
constexpr ui::UINT kDataCellFormat = ui::DT_RIGHT | ui::DT_VCENTER;
constexpr ui::UINT kHeaderCellFormat = ui::DT_CENTER;
constexpr int kLowerValueLimit = 0;
constexpr const char* kUnitPrefix = "Unit: ";

constexpr ui::LRESULT kAcceptEdit = 0;
constexpr ui::LRESULT kRejectEdit = -1;

// The index of the last axis point below value; a value above every point lies in the last cell.
int AxisIndex(const std::array<int, CMapPage::kAxisPoints>& axis, int value)
{
    const auto point = std::find_if(axis.begin(), axis.end(), [value](int p) { return p >= value; });
    if (point == axis.end()) return CMapPage::kAxisPoints - 1;
    return std::max(static_cast<int>(point - axis.begin()) - 1, 0);
}

} // namespace

CMapPage::CMapPage(int cellWidth, const char* initMapCaption, int upperValueLimit)
    : ui::Dialog(res::IDD_DT_MAP)
    , m_cellWidth(cellWidth)
    , m_caption(initMapCaption)
    , m_upperLimit(upperValueLimit)
{ }

void CMapPage::Attach(CPFCComm& comm, config::ActiveProfile& profile)
{
    m_comm = &comm;
    m_profile = &profile;
}

void CMapPage::DoDataExchange()
{
    BindControl(res::IDC_MAPGRID, m_grid);
    BindControl(res::IDC_READOUT, m_readOut);
}

bool CMapPage::OnInitDialog()
{
    ui::Dialog::OnInitDialog();

    m_grid.SetEditable(true);
    m_grid.SetDefaultCellWidth(ui::ScaleToScreen(m_cellWidth));

    m_grid.SetFixedColumnCount(1);
    m_grid.SetFixedRowCount(1);
    m_grid.SetColumnWidth(0, ui::ScaleToScreen(kHeaderColumnWidth));

    CGridDefaultCell* normal = m_grid.GetDefaultCell(false, false);
    normal->SetTextColor(kCellText);
    normal->SetBackColor(kCellBack);
    for (const auto& [fixedRow, fixedCol] : {std::pair{true, false}, std::pair{false, true}, std::pair{true, true}}) {
        CGridDefaultCell* header = m_grid.GetDefaultCell(fixedRow, fixedCol);
        header->SetTextColor(kHeaderText);
        header->SetBackColor(kHeaderBack);
    }

    // The font object itself is replaced, so data cells draw in it while headers keep theirs.
    if (auto* font = reinterpret_cast<ui::Font*>(m_grid.SendMessage(ui::WM_GETFONT)); font != nullptr) {
        font->DeleteObject();
        font->CreatePointFont(kMapFontTenths, kMapFontFace);
    }

    m_values = std::make_unique<CellValue[]>(kCells);
    m_grid.m_pValues = m_values.get();

    m_grid.SetRowCount(kMapRows + 1);
    m_grid.SetColumnCount(kMapColumns + 1);
    return true;
}

int CMapPage::Exchange(uint8_t command, size_t need, uint8_t* data)
{
    const int result = m_comm->Transact(command, kNoData, data);
    if (result < 0) return result;
    const size_t received = result > kNoData ? static_cast<size_t>(result - kNoData) : 0;
    // Bytes the reply did not carry are not map data.
    return received < need ? CPFCComm::kCommError : result;
}

int CMapPage::InitMap(int index)
{
    const std::string section = config::Numbered("DataItem", index + 1);
    const int command = m_profile->GetInt(section, "Command", 0);
    ReadItemSettings(section);
    // The limits and the scale belong to the map's kind, whatever its read brings.
    m_grid.m_nMinValue = kLowerValueLimit;
    m_grid.m_nMaxValue = m_upperLimit;
    m_grid.SetValueScale(ScaleName());

    int failure = ReadMap(static_cast<uint8_t>(command));
    if (failure == 0) {
        for (int row = 1; row <= kMapRows; ++row) {
            for (int col = 1; col <= kMapColumns; ++col) {
                m_grid.SetCellText(row, col, CellText(Record(row, col).current).c_str());
                m_grid.SetCellFormat(row, col, kDataCellFormat);
            }
        }
        failure = ReadAxes();
    }
    if (failure != 0) {
        m_comm->ShowCommError(this, m_caption, failure);
        return -1;
    }

    m_grid.Recolor();

    m_tip.Create(this);
    m_tip.AddTool(&m_grid, kUnitPrefix + m_profile->GetString(section, "Unit"));
    return 0;
}

int CMapPage::ReadAxes()
{
    std::array<uint8_t, CPFCComm::kMaxData> data{};
    const int result = Exchange(kCmdAxes, kAxisReplyBytes, data.data());
    if (result < 0) return result;
    auto word = [&data](int at) { return data[static_cast<size_t>(2 * at)] | (data[static_cast<size_t>(2 * at + 1)] << 8); };
    for (int i = 1; i <= kAxisPoints; ++i) {
        m_rowAxis[static_cast<size_t>(i - 1)] = word(i - 1);
        m_columnAxis[static_cast<size_t>(i - 1)] = word(kAxisPoints + i - 1);
        m_grid.SetCellText(i, 0, PrintedNumber("%4.2f", m_rowAxis[static_cast<size_t>(i - 1)] * kPressureScale).c_str());
        m_grid.SetCellFormat(i, 0, kHeaderCellFormat);
        m_grid.SetCellText(0, i, PrintedNumber("%d", m_columnAxis[static_cast<size_t>(i - 1)]).c_str());
        m_grid.SetCellFormat(0, i, kHeaderCellFormat);
    }
    return 0;
}

void CMapPage::ShowTracePoint(int x, int y)
{
    m_grid.MarkTraceCell(AxisIndex(m_columnAxis, x), AxisIndex(m_rowAxis, y));
}

void CMapPage::ClearTrace()
{
    m_grid.ClearTrail();
}

bool CMapPage::OnCommand(ui::WPARAM wParam, ui::LPARAM lParam)
{
    if (ui::LOWORD(wParam) == res::IDC_RECOLOR && ui::HIWORD(wParam) == ui::STN_CLICKED) {
        m_grid.Recolor();
        m_grid.Invalidate(true);
    }
    return ui::Dialog::OnCommand(wParam, lParam);
}

bool CMapPage::OnNotify(ui::WPARAM wParam, ui::LPARAM lParam, ui::LRESULT* result)
{
    const auto* record = ui::NotificationRecord<NM_GRIDVIEW>(lParam);
    if (static_cast<int>(wParam) == res::IDC_MAPGRID && record != nullptr) {
        if (record->hdr.code == GVN_ENDLABELEDIT) {
            *result = OnEndEdit(record->iRow, record->iColumn);
            return true;
        }
        if (record->hdr.code == GVN_SELCHANGED) OnSelChanged(record->iRow, record->iColumn);
    }
    return ui::Dialog::OnNotify(wParam, lParam, result);
}

void CMapPage::OnSelChanged(int row, int col)
{
    // Header cells and "no cell" have no record; the read-out keeps what it shows.
    if (const CellValue* value = m_grid.ValueAt(row, col)) m_readOut.SetWindowText(SelectionText(value->current));
}

ui::LRESULT CMapPage::OnEndEdit(int row, int col)
{
    CellValue* value = m_grid.ValueAt(row, col);
    if (value == nullptr) return kRejectEdit;
    const std::string text = m_grid.GetCellText(row, col);
    if (text.empty()) {
        const Shown shown = Redisplay(value->current);
        m_grid.SetCellText(row, col, shown.cell.c_str());
        m_readOut.SetWindowText(shown.readOut);
        return kAcceptEdit;
    }
    const std::optional<double> x = ParseTypedNumber(text);
    if (!x) return kRejectEdit;
    const std::optional<Accepted> accepted = Accept(*x);
    if (!accepted) return kRejectEdit;
    value->current = accepted->raw;
    m_grid.SetCellText(row, col, accepted->shown.cell.c_str());
    m_readOut.SetWindowText(accepted->shown.readOut);
    return kAcceptEdit;
}

bool CMapPage::PreTranslateMessage(ui::Msg& msg)
{
    if (msg.message == ui::WM_MOUSEMOVE || msg.message == ui::WM_LBUTTONDOWN || msg.message == ui::WM_LBUTTONUP) m_tip.RelayEvent(msg);
    return ui::Dialog::PreTranslateMessage(msg);
}
