#pragma once

#include "ports/SerialPortInfo.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/ListBox.h"

#include <string>

namespace config {
class ActiveProfile;
}
namespace devices {
class DeviceServices;
}

// The port choice before the link opens: configured ports first, then the discovered ones;
// the index chosen is remembered in the base file and the record's device path handed over.
class CCommSelectDlg : public ui::Dialog {
public:
    // services null: this system's own device services.
    explicit CCommSelectDlg(config::ActiveProfile& profile, devices::DeviceServices* services = nullptr, ui::Window* parent = nullptr);

    // Where OK writes the chosen record's device path; set before DoModal.
    std::string* m_pTarget = nullptr;

    const SerialPortList& Ports() const { return m_ports; }

protected:
    void DoDataExchange() override;
    bool OnInitDialog() override;
    void OnOK() override;

private:
    void AddConfiguredPorts();
    void AddDiscoveredPorts();

    config::ActiveProfile& m_profile;
    devices::DeviceServices* m_services;
    SerialPortList m_ports;
    ui::ListBox m_list;
};
