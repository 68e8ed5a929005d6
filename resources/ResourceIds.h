#pragma once

// Identifiers of the program's dialogs, controls, strings and icons.

#include <string_view>

namespace res {

// Dialog templates.
constexpr int IDD_ABOUTBOX = 100;
constexpr int IDD_VELMORA_DIALOG = 102;
constexpr int IDD_COMMSELECT = 129;
constexpr int IDD_DT_MAP = 131;
constexpr int IDD_DT_BOOST = 132;
constexpr int IDD_DT_PASSWD = 134;
constexpr int IDD_PROFSEL = 136;
constexpr int IDD_DT_COMMAND = 137;

// Strings.
constexpr int IDS_ABOUTBOX = 101;
// The caption of the program's plain message boxes.
inline constexpr const char* kAppName = "Velmora";

// Icons.
constexpr int IDR_MAINFRAME = 128;
constexpr int IDI_KEY = 134;

// Main window.
constexpr int IDC_TRACE = 1001;
constexpr int IDC_MONLIST = 1002;
constexpr int IDC_ENGINECODE = 1004;
constexpr int IDC_VERSION = 1005;
constexpr int IDC_TAB = 1013;

// Port and profile selection.
constexpr int IDC_PORTLIST = 1002;
constexpr int IDC_PROFLIST = 1018;

// Map pages.
constexpr int IDC_MAPGRID = 1007;
constexpr int IDC_READOUT = 1028;
constexpr int IDC_RECOLOR = 1029;

// Boost control page.
constexpr int IDC_BOOST_SET1 = 1014;
constexpr int IDC_BOOST_SET2 = 1015;
constexpr int IDC_BOOST_SET3 = 1024;
constexpr int IDC_BOOST_SET4 = 1025;

// Command console page.
constexpr int IDC_SENDGRID = 1019;
constexpr int IDC_RECVGRID = 1020;
constexpr int IDC_DWCMDSEND = 1021;
constexpr int IDC_COMMAND = 1022;
constexpr int IDC_DATALENGTH = 1023;

// The window class by which templates create grid controls.
inline constexpr std::string_view kGridWindowClass = "MFCGridCtrl";

// Registers every dialog template, string and icon with the window layer.
void InstallResources();

} // namespace res
