#include "platform/ui/TabCtrl.h"
#include "platform/ui/qt/WindowBridge.h"

#include "platform/ui/qt/QtConvert.h"
#include "platform/ui/qt/TabWidget.h"

namespace ui {

namespace {
QTabBar* Bar(QWidget* widget)
{
    auto* tabs = dynamic_cast<TabWidget*>(widget);
    return tabs != nullptr ? tabs->Bar() : nullptr;
}
} // namespace

int TabCtrl::InsertItem(int index, std::string_view text, intptr_t value)
{
    QTabBar* bar = Bar(WidgetOf(*this));
    if (bar == nullptr || index < 0) return -1;
    const bool blocked = bar->blockSignals(true);
    const int at = bar->insertTab(std::min(index, bar->count()), qt::ToQString(text));
    bar->setTabData(at, QVariant::fromValue<qlonglong>(value));
    bar->blockSignals(blocked);
    static_cast<TabWidget*>(WidgetOf(*this))->Relayout();
    return at;
}

void TabCtrl::DeleteItem(int index)
{
    QTabBar* bar = Bar(WidgetOf(*this));
    if (bar == nullptr || index < 0 || index >= bar->count()) return;
    const bool blocked = bar->blockSignals(true);
    bar->removeTab(index);
    bar->blockSignals(blocked);
    static_cast<TabWidget*>(WidgetOf(*this))->Relayout();
}

int TabCtrl::GetItemCount() const
{
    QTabBar* bar = Bar(WidgetOf(*this));
    return bar != nullptr ? bar->count() : 0;
}

std::string TabCtrl::GetItemText(int index) const
{
    QTabBar* bar = Bar(WidgetOf(*this));
    return bar != nullptr ? qt::FromQString(bar->tabText(index)) : std::string();
}

intptr_t TabCtrl::GetItemData(int index) const
{
    QTabBar* bar = Bar(WidgetOf(*this));
    if (bar == nullptr || index < 0 || index >= bar->count()) return 0;
    return static_cast<intptr_t>(bar->tabData(index).toLongLong());
}

int TabCtrl::GetCurSel() const
{
    QTabBar* bar = Bar(WidgetOf(*this));
    return bar != nullptr ? bar->currentIndex() : -1;
}

int TabCtrl::SetCurSel(int index)
{
    QTabBar* bar = Bar(WidgetOf(*this));
    if (bar == nullptr || index < 0 || index >= bar->count()) return -1;
    const int previous = bar->currentIndex();
    const bool blocked = bar->blockSignals(true);
    bar->setCurrentIndex(index);
    bar->blockSignals(blocked);
    return previous;
}

} // namespace ui
