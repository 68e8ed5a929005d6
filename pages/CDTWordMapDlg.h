#pragma once

#include "pages/CMapPage.h"

// The tab page of the 20 × 20 map of 16-bit values, shown as milliseconds.
class CDTWordMapDlg : public CMapPage {
public:
    CDTWordMapDlg();

protected:
    int ReadMap(uint8_t command) override;
    const char* ScaleName() const override;
    std::string CellText(uint16_t raw) const override;
    std::string SelectionText(uint16_t raw) const override;
    Shown Redisplay(uint16_t raw) const override;
    std::optional<Accepted> Accept(double x) const override;
};
