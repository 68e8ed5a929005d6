// Strings and icons, and the one call that registers all resources.

#include "resources/ResourceIds.h"

#include "platform/ui/Resources.h"

#include "resources/AppIcon.xpm"
#include "resources/KeyIcon.xpm"

namespace res {

void InstallDialogs();

void InstallResources()
{
    InstallDialogs();
    ui::Resources::AddString(IDS_ABOUTBOX, "バージョン情報 Velmora(&A)...");
    ui::Resources::AddIcon(IDR_MAINFRAME, kAppIconXpm);
    ui::Resources::AddIcon(IDI_KEY, kKeyIconXpm);
}

} // namespace res
