#pragma once

#include "pages/CMapPage.h"

// The tab page of one 20 × 20 map of 8-bit values: angles (Types 0 and 5) or corrections in
// percent (Type 3).
class CDTByteMapDlg : public CMapPage {
public:
    CDTByteMapDlg();
    int Type() const { return m_nType; }

protected:
    void ReadItemSettings(const std::string& section) override;
    int ReadMap(uint8_t command) override;
    const char* ScaleName() const override;
    std::string CellText(uint16_t raw) const override;
    std::string SelectionText(uint16_t raw) const override;
    Shown Redisplay(uint16_t raw) const override;
    std::optional<Accepted> Accept(double x) const override;

private:
    int m_nType = 0;
};
