#pragma once

#include "pages/CMapPage.h"

// The tab page of one 20 × 20 map of 8-bit values.
class CDTByteMapDlg : public CMapPage { };
