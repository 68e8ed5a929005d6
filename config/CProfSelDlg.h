#pragma once

#include "platform/ui/Dialog.h"
#include "platform/ui/ListBox.h"

namespace config {
class ActiveProfile;
}

// The profile choice at start-up: lists the profiles of the base file; OK makes the chosen
// one the active profile.
class CProfSelDlg : public ui::Dialog {
public:
    explicit CProfSelDlg(config::ActiveProfile& profile, ui::Window* parent = nullptr);

protected:
    void DoDataExchange() override;
    bool OnInitDialog() override;
    void OnOK() override;

private:
    config::ActiveProfile& m_profile;
    ui::ListBox m_list;
};
