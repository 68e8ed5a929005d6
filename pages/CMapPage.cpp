#include "pages/CMapPage.h"

#include "resources/ResourceIds.h"

CMapPage::CMapPage()
    : ui::Dialog(res::IDD_DT_MAP)
{ }

int CMapPage::InitMap(int)
{
    return 0;
}

void CMapPage::ShowTracePoint(int x, int y)
{
    m_lastTrace = TracePoint{x, y};
}
