// The dialog templates, in dialog units, controls in template (and tab) order.

#include "resources/ResourceIds.h"

#include "platform/ui/DialogTemplate.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Resources.h"
#include "platform/ui/Styles.h"

namespace res {

namespace {

using ui::ControlTemplate;
using ui::DialogTemplate;
namespace wc = ui::wc;

constexpr uint32_t kChild = ui::WS_CHILD | ui::WS_VISIBLE;
constexpr uint32_t kPush = kChild | ui::BS_PUSHBUTTON | ui::WS_TABSTOP;
constexpr uint32_t kDefPush = kChild | ui::BS_DEFPUSHBUTTON | ui::WS_TABSTOP;
constexpr uint32_t kLabel = kChild | ui::SS_LEFT;
constexpr uint32_t kEdit = kChild | ui::WS_BORDER | ui::ES_AUTOHSCROLL | ui::WS_TABSTOP;
constexpr uint32_t kRadio = kChild | ui::BS_AUTORADIOBUTTON;
constexpr uint32_t kPopup = ui::WS_POPUP | ui::WS_CAPTION | ui::DS_MODALFRAME;
constexpr uint32_t kPage = ui::WS_CHILD;

DialogTemplate AboutBox()
{
    return {IDD_ABOUTBOX, 235, 55, "MS UI Gothic", 9, "バージョン情報 Velmora", kPopup | ui::WS_SYSMENU, 0,
        {
            {-1, wc::Static, "", 11, 17, 20, 20, kChild | ui::SS_ICON, 0, IDR_MAINFRAME},
            {-1, wc::Static, "Velmora Version 0.1", 40, 10, 119, 8, kLabel},
            {ui::IDOK, wc::Button, "OK", 178, 7, 50, 16, kDefPush | ui::WS_GROUP},
        }};
}

DialogTemplate MainWindow()
{
    return {IDD_VELMORA_DIALOG, 450, 321, "MS UI Gothic", 9, "Velmora", kPopup | ui::WS_SYSMENU | ui::WS_VISIBLE, 0,
        {
            {IDC_TAB, wc::TabControl, "", 7, 7, 329, 307, kChild | ui::WS_TABSTOP},
            {-1, wc::Button, "PowerFC情報", 338, 16, 105, 39, kChild | ui::BS_GROUPBOX},
            {-1, wc::Static, "エンジンコード", 348, 27, 38, 8, kLabel},
            {IDC_ENGINECODE, wc::Static, "PowerFC", 389, 24, 52, 14, kLabel | ui::SS_CENTERIMAGE},
            {-1, wc::Static, "バージョン", 359, 42, 27, 8, kLabel},
            {IDC_VERSION, wc::Static, "Version", 389, 39, 52, 13, kLabel | ui::SS_CENTERIMAGE},
            {IDC_TRACE, wc::Button, "ﾄﾚｰｽ開始", 394, 59, 49, 16, kDefPush},
            {ui::IDOK, wc::Button, "OK", 364, 59, 28, 16, kPush & ~ui::WS_VISIBLE},
            {ui::IDCANCEL, wc::Button, "Cancel", 339, 60, 24, 15, kPush & ~ui::WS_VISIBLE},
            {IDC_MONLIST, wc::ListView, "", 338, 79, 105, 235,
                kChild | ui::LVS_REPORT | ui::LVS_SINGLESEL | ui::LVS_NOCOLUMNHEADER | ui::LVS_NOSORTHEADER | ui::LVS_OWNERDRAWFIXED
                    | ui::WS_BORDER | ui::WS_TABSTOP},
        }};
}

DialogTemplate PortSelection()
{
    return {IDD_COMMSELECT, 186, 50, "MS Shell Dlg", 8, "シリアルポート選択", kPopup | ui::DS_CENTER, 0,
        {
            {ui::IDOK, wc::Button, "OK", 127, 31, 50, 14, kDefPush},
            {IDC_PORTLIST, wc::ListBox, "", 7, 7, 115, 38,
                kChild | ui::WS_BORDER | ui::WS_VSCROLL | ui::LBS_NOTIFY | ui::LBS_SORT | ui::LBS_NOINTEGRALHEIGHT | ui::LBS_DISABLENOSCROLL
                    | ui::WS_TABSTOP},
        }};
}

DialogTemplate ProfileSelection()
{
    return {IDD_PROFSEL, 186, 95, "ＭＳ ゴシック", 9, "設定ファイルの選択", kPopup | ui::WS_SYSMENU, 0,
        {
            {ui::IDOK, wc::Button, "OK", 129, 7, 50, 14, kDefPush},
            {ui::IDCANCEL, wc::Button, "キャンセル", 129, 24, 50, 14, kPush},
            {IDC_PROFLIST, wc::ListBox, "", 7, 7, 117, 81,
                kChild | ui::WS_BORDER | ui::WS_VSCROLL | ui::LBS_NOTIFY | ui::LBS_SORT | ui::LBS_NOINTEGRALHEIGHT | ui::WS_TABSTOP},
        }};
}

DialogTemplate MapPage()
{
    return {IDD_DT_MAP, 376, 265, "MS Shell Dlg", 8, "", kPage, 0,
        {
            {IDC_MAPGRID, kGridWindowClass, "マップ", 7, 7, 362, 245, kChild | ui::WS_TABSTOP},
            {-1, wc::Static, "内部値", 10, 252, 26, 12, kChild | ui::SS_CENTER | ui::SS_CENTERIMAGE},
            {IDC_READOUT, wc::Static, "", 39, 253, 44, 11, kChild | ui::SS_CENTER, ui::WS_EX_STATICEDGE},
            {IDC_RECOLOR, wc::Static, "再彩色", 320, 252, 50, 12, kChild | ui::SS_NOTIFY | ui::SS_CENTER, ui::WS_EX_DLGMODALFRAME},
        }};
}

DialogTemplate BoostPage()
{
    return {IDD_DT_BOOST, 376, 262, "MS Shell Dlg", 8, "", kPage, 0,
        {
            {-1, wc::Button, "設定セレクター", 95, 76, 181, 28, kChild | ui::BS_GROUPBOX},
            {-1, wc::Static, "ブーストコントロール設定", 117, 44, 136, 8, kChild | ui::SS_CENTER},
            {IDC_BOOST_SET1, wc::Button, "設定1", 107, 88, 33, 8, kRadio | ui::WS_GROUP},
            {1016, wc::Edit, "", 142, 135, 47, 12, kEdit},
            {1017, wc::Edit, "", 206, 135, 47, 12, kEdit},
            {-1, wc::Static, "設定1", 103, 138, 21, 8, kLabel},
            {-1, wc::Static, "ブースト圧", 150, 121, 33, 8, kLabel},
            {-1, wc::Static, "制御デューティ", 207, 121, 47, 8, kLabel},
            {1018, wc::Edit, "", 142, 151, 47, 12, kEdit},
            {1019, wc::Edit, "", 206, 151, 47, 12, kEdit},
            {-1, wc::Static, "設定2", 103, 154, 21, 8, kLabel},
            {1020, wc::Edit, "", 142, 167, 47, 12, kEdit},
            {1021, wc::Edit, "", 206, 167, 47, 12, kEdit},
            {-1, wc::Static, "設定3", 103, 170, 21, 8, kLabel},
            {1022, wc::Edit, "", 142, 183, 47, 12, kEdit},
            {1023, wc::Edit, "", 206, 183, 47, 12, kEdit},
            {-1, wc::Static, "設定4", 103, 186, 21, 8, kLabel},
            {IDC_BOOST_SET2, wc::Button, "設定2", 149, 88, 33, 8, kRadio},
            {IDC_BOOST_SET3, wc::Button, "設定3", 189, 88, 33, 8, kRadio},
            {IDC_BOOST_SET4, wc::Button, "設定4", 230, 88, 33, 8, kRadio},
            {-1, wc::Static, "これはテストです", 318, 247, 51, 8, kLabel},
        }};
}

DialogTemplate LockedPage()
{
    return {IDD_DT_PASSWD, 376, 262, "MS Shell Dlg", 8, "", kPage, 0,
        {
            {-1, wc::Static, "", 175, 94, 21, 20, kChild | ui::SS_ICON, 0, IDI_KEY},
            {-1, wc::Static, "This PFC is locked by password!", 133, 129, 102, 8, kLabel},
            {-1, wc::Static, "You can not anything operation.", 133, 145, 104, 8, kLabel},
        }};
}

DialogTemplate CommandPage()
{
    return {IDD_DT_COMMAND, 376, 262, "MS Shell Dlg", 8, "", kPage, 0,
        {
            {IDC_SENDGRID, kGridWindowClass, "マップ", 7, 25, 362, 107, kChild | ui::WS_TABSTOP},
            {IDC_RECVGRID, kGridWindowClass, "マップ", 7, 148, 362, 107, kChild | ui::WS_TABSTOP},
            {IDC_COMMAND, wc::Edit, "", 134, 9, 23, 12, kEdit},
            {-1, wc::Static, "コマンド", 107, 11, 25, 11, kLabel},
            {IDC_DATALENGTH, wc::Edit, "", 206, 9, 23, 12, kEdit},
            {-1, wc::Static, "データー長", 167, 11, 34, 8, kLabel},
            {IDC_DWCMDSEND, wc::Button, "送信", 255, 7, 48, 16, kDefPush},
            {-1, wc::Static, "送信データー", 7, 13, 42, 8, kLabel},
            {-1, wc::Static, "受信データー", 7, 137, 42, 8, kLabel},
            {ui::IDCANCEL, wc::Button, "Cancel", 336, 7, 33, 9, kPush & ~ui::WS_VISIBLE},
        }};
}

} // namespace

void InstallDialogs()
{
    for (const DialogTemplate& dialog :
        {AboutBox(), MainWindow(), PortSelection(), ProfileSelection(), MapPage(), BoostPage(), LockedPage(), CommandPage()}) {
        ui::Resources::AddDialog(dialog);
    }
}

} // namespace res
