#pragma once

#include "pages/CMapPage.h"

// The tab page of the 20 × 20 map of 16-bit values, shown as milliseconds.
class CDTWordMapDlg : public CMapPage { };
