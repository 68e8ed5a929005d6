#include "platform/ui/ListBox.h"
#include "platform/ui/qt/WindowBridge.h"

#include "platform/ui/qt/QtConvert.h"

#include <QListWidget>

namespace ui {

namespace {
QListWidget* List(QWidget* widget)
{
    return qobject_cast<QListWidget*>(widget);
}
} // namespace

int ListBox::InsertString(int index, std::string_view text)
{
    QListWidget* list = List(WidgetOf(*this));
    if (list == nullptr) return LB_ERR;
    const int count = list->count();
    if (index > count) return LB_ERR;
    const int at = index < 0 ? count : index;
    list->insertItem(at, qt::ToQString(text));
    return at;
}

int ListBox::GetCount() const
{
    QListWidget* list = List(WidgetOf(*this));
    return list != nullptr ? list->count() : 0;
}

std::string ListBox::GetText(int index) const
{
    QListWidget* list = List(WidgetOf(*this));
    QListWidgetItem* item = list != nullptr ? list->item(index) : nullptr;
    return item != nullptr ? qt::FromQString(item->text()) : std::string();
}

int ListBox::SetCurSel(int index)
{
    QListWidget* list = List(WidgetOf(*this));
    if (list == nullptr) return LB_ERR;
    if (index < 0 || index >= list->count()) {
        list->setCurrentRow(-1);
        list->clearSelection();
        return LB_ERR;
    }
    list->setCurrentRow(index);
    return index;
}

int ListBox::GetCurSel() const
{
    QListWidget* list = List(WidgetOf(*this));
    if (list == nullptr) return LB_ERR;
    const auto selected = list->selectedItems();
    return selected.isEmpty() ? LB_ERR : list->row(selected.front());
}

} // namespace ui
