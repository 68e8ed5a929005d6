#pragma once

#include "config/ActiveProfile.h"
#include "pages/CDTByteMapDlg.h"
#include "pages/CDTWordMapDlg.h"
#include "tests/support/SimulatedPage.h"

#include <string>
#include <vector>

constexpr uint8_t kByteMapCommand = sim::ResponderConfig::kFirstByteMap;
constexpr uint8_t kWordMapCommand = sim::ResponderConfig::kWordMap;
constexpr uint8_t kAxesCommand = 0x8A;
constexpr int kWordMapType = 4;

// A map page on the host window, reading through the simulated link.
class MapPage : public SimulatedPage {
protected:
    // Creates the page for a data item of `type` reading from `command` and reads its map.
    int Load(CMapPage& page, int type, uint8_t command)
    {
        directory.Write(
            "Map.ini", "[DataItem1]\nName=Map\nType=" + std::to_string(type) + "\nCommand=" + std::to_string(command) + "\nUnit=deg\n");
        profile.SetProfilePath("Map.ini");
        page.Attach(comm, profile);
        if (!page.Create(&host)) return -2;
        page.ShowWindow(ui::SW_SHOW);
        const int result = page.InitMap(0);
        ui::testing::ProcessEvents();
        return result;
    }
    CMapPage& PageOf(int type) { return type == kWordMapType ? static_cast<CMapPage&>(wordMap) : byteMap; }
    static uint8_t CommandOf(int type) { return type == kWordMapType ? kWordMapCommand : kByteMapCommand; }
    // Loads the page of `type` whose first reply holds `raws` at the top of column 1, and 0 elsewhere.
    int LoadColumnOne(int type, const std::vector<uint16_t>& raws)
    {
        std::vector<uint8_t> part(100, 0);
        for (size_t i = 0; i < raws.size(); ++i) part[i] = static_cast<uint8_t>(raws[i]);
        Reply(CommandOf(type), type == kWordMapType ? LittleEndianWords(raws, 50) : part);
        return Load(PageOf(type), type, CommandOf(type));
    }

    config::ActiveProfile profile;
    CDTByteMapDlg byteMap;
    CDTWordMapDlg wordMap;
};
