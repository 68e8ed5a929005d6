#include "config/CProfSelDlg.h"

#include "config/ActiveProfile.h"
#include "resources/ResourceIds.h"

#include <algorithm>

namespace {
const std::string kProfiles = "Profiles";
// Far above any real base file, and low enough that a wrong count cannot stall start-up:
// every entry is one read of the file.
constexpr int kMaxProfiles = 256;
} // namespace

CProfSelDlg::CProfSelDlg(config::ActiveProfile& profile, ui::Window* parent)
    : ui::Dialog(res::IDD_PROFSEL, parent)
    , m_profile(profile)
{ }

void CProfSelDlg::DoDataExchange()
{
    BindControl(res::IDC_PROFLIST, m_list);
}

bool CProfSelDlg::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    const int count = std::clamp(m_profile.GetInt(kProfiles, "Items", 0), 0, kMaxProfiles);
    // Explicit positions: entry i stays key Item(i + 1) whatever the list's sort style.
    for (int i = 1; i <= count; ++i) m_list.InsertString(i - 1, m_profile.GetString(kProfiles, config::Numbered("Item", i)));
    m_list.SetCurSel(0);
    return true;
}

void CProfSelDlg::OnOK()
{
    // The name comes from the file again, not from the list's text.
    const int selected = m_list.GetCurSel();
    const std::string name = m_profile.GetString(kProfiles, config::Numbered("Item", selected + 1));
    m_profile.SetProfilePath(name);
    ui::Dialog::OnOK();
}
