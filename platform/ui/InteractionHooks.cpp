#include "platform/ui/InteractionHooks.h"

#include <utility>

namespace ui {

namespace {
InteractionHooks* g_installed = nullptr;
}

InteractionHooks* InteractionHooks::Installed()
{
    return g_installed;
}

InteractionHooks* InteractionHooks::Install(InteractionHooks* hooks)
{
    return std::exchange(g_installed, hooks);
}

} // namespace ui
