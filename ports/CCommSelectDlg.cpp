#include "ports/CCommSelectDlg.h"

#include "config/ActiveProfile.h"
#include "platform/devices/DeviceServices.h"
#include "ports/EnumerateSerialPorts.h"
#include "resources/ResourceIds.h"

#include "platform/ui/MessageBox.h"

#include <algorithm>

namespace {

const std::string kCommSelect = "CommSelect";
const std::string kPorts = "Ports";
constexpr const char* kSimulatorPath = "sim:";
constexpr const char* kSimulatorName = "シミュレータ (sim:)";
constexpr const char* kNoPortChosen = "ポートを選択してください。";
// Far above any real base file, and low enough that a wrong count cannot stall start-up.
constexpr int kMaxConfiguredPorts = 256;

} // namespace

CCommSelectDlg::CCommSelectDlg(config::ActiveProfile& profile, devices::DeviceServices* services, ui::Window* parent)
    : ui::Dialog(res::IDD_COMMSELECT, parent)
    , m_profile(profile)
    , m_services(services != nullptr ? services : &devices::SystemDeviceServices())
{ }

void CCommSelectDlg::DoDataExchange()
{
    BindControl(res::IDC_PORTLIST, m_list);
}

// Virtual and remote ports, and the simulator, cannot be discovered: the base file lists them.
void CCommSelectDlg::AddConfiguredPorts()
{
    const int count = std::clamp(m_profile.GetInt(kPorts, "Items", 0), 0, kMaxConfiguredPorts);
    for (int i = 1; i <= count; ++i) {
        const std::string path = m_profile.GetString(kPorts, config::Numbered("Item", i));
        // A blank entry names no device; offering it would only lead to a failed open.
        if (path.empty()) continue;
        const std::string shown = path == kSimulatorPath ? kSimulatorName : path;
        m_ports.push_back(SerialPortInfo{path, shown, shown, 0, shown});
    }
}

void CCommSelectDlg::AddDiscoveredPorts()
{
    SerialPortList discovered;
    try {
        EnumerateSerialPorts(discovered, false, *m_services);
    } catch (const EnumerationError& error) {
        // What was found before the failure is kept; the configured ports still work.
        ui::MessageBox(this, error.what(), GetWindowText(), ui::MB_OK);
    }
    m_ports.insert(m_ports.end(), discovered.begin(), discovered.end());
}

bool CCommSelectDlg::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    m_ports.clear();
    AddConfiguredPorts();
    AddDiscoveredPorts();
    for (size_t i = 0; i < m_ports.size(); ++i) m_list.InsertString(static_cast<int>(i), m_ports[i].friendlyName);
    m_list.SetCurSel(m_profile.GetInt(kCommSelect, "Item", 0));
    return true;
}

void CCommSelectDlg::OnOK()
{
    const int selected = m_list.GetCurSel();
    // Remembered before the choice is checked, so a refused OK stores -1.
    m_profile.WriteInt(kCommSelect, "Item", selected);
    if (m_pTarget != nullptr) {
        if (selected < 0 || selected >= static_cast<int>(m_ports.size())) {
            ui::MessageBox(this, kNoPortChosen, GetWindowText(), ui::MB_ICONERROR);
            return;
        }
        *m_pTarget = m_ports[static_cast<size_t>(selected)].devicePath;
    }
    ui::Dialog::OnOK();
}
