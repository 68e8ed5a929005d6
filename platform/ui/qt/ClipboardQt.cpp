#include "platform/ui/Clipboard.h"

#include "platform/ui/qt/QtConvert.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <memory>

namespace ui {

namespace {

QString PrivateMimeType(std::string_view format)
{
    return QStringLiteral("application/x-velmora-") + qt::ToQString(format);
}

} // namespace

void Clipboard::SetText(std::string_view text)
{
    QGuiApplication::clipboard()->setText(qt::ToQString(text));
}

void Clipboard::SetText(std::string_view text, std::string_view format, std::string_view record)
{
    auto data = std::make_unique<QMimeData>();
    data->setText(qt::ToQString(text));
    data->setData(PrivateMimeType(format), QByteArray(record.data(), static_cast<qsizetype>(record.size())));
    // The clipboard owns the data from here on.
    QGuiApplication::clipboard()->setMimeData(data.release());
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

std::optional<std::string> Clipboard::GetRecord(std::string_view format)
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    const QString type = PrivateMimeType(format);
    if (data == nullptr || !data->hasFormat(type)) return std::nullopt;
    const QByteArray record = data->data(type);
    return std::string(record.constData(), static_cast<size_t>(record.size()));
}

} // namespace ui
