#include "platform/ui/Clipboard.h"

#include "platform/ui/qt/QtConvert.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace ui {

void Clipboard::SetText(std::string_view text)
{
    QGuiApplication::clipboard()->setText(qt::ToQString(text));
}

std::string Clipboard::GetText()
{
    return qt::FromQString(QGuiApplication::clipboard()->text());
}

bool Clipboard::HasText()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data != nullptr && data->hasText();
}

} // namespace ui
