#include "ports/RegistryPorts.h"

#include "platform/devices/DeviceServices.h"
#include "ports/DevicePath.h"
#include "ports/EnumerateSerialPorts.h"

#include <algorithm>

namespace ports {
namespace {

using namespace devices;

constexpr char kEnumKey[] = "Enum";
// Compared whole and case-sensitively: "usbports" is an ordinary enumerator.
constexpr std::string_view kUsbEnumerator = "USBPORTS";
constexpr std::string_view kSerialPortDevice = "*PNP0500";
constexpr std::string_view kSerialPortDevice16550 = "*PNP0501";
constexpr char kPortNameValue[] = "PORTNAME";
constexpr char kFriendlyNameValue[] = "FRIENDLYNAME";
// Key names and string values are read into buffers of this size.
constexpr size_t kRegistryTextSize = 128;

const std::string kCannotReadEnum = "Could not read from HKLM\\Enum";
constexpr char kKeySeparator[] = "\\";
// Stands for the enumerator and device in the text for an instance key.
constexpr char kElidedKeys[] = "\\...\\";

// An opened key, closed when it goes out of scope (so a throw closes every open key).
class OpenedKey {
public:
    OpenedKey(DeviceServices& services, RegistryKey parent, const std::string& name)
        : m_services(services)
        , m_key(services.OpenKey(parent, name))
    { }
    ~OpenedKey()
    {
        if (m_key) m_services.CloseKey(*m_key);
    }
    OpenedKey(const OpenedKey&) = delete;
    OpenedKey& operator=(const OpenedKey&) = delete;

    bool IsOpen() const { return m_key.has_value(); }
    RegistryKey Get() const { return *m_key; }

private:
    DeviceServices& m_services;
    const std::optional<RegistryKey> m_key;
};

bool IsSerialPortDevice(const std::string& deviceId)
{
    return deviceId == kSerialPortDevice || deviceId == kSerialPortDevice16550;
}

} // namespace

void RegistryPorts::AppendTo(SerialPortList& list)
{
    const OpenedKey enumKey(m_services, kLocalMachine, kEnumKey);
    if (!enumKey.IsOpen()) throw EnumerationError(kCannotReadEnum);
    for (uint32_t i = 0; const auto enumerator = m_services.EnumKey(enumKey.Get(), i, kRegistryTextSize); ++i)
        ReadEnumerator(enumKey.Get(), *enumerator, list);
}

void RegistryPorts::ReadEnumerator(RegistryKey enumKey, const std::string& enumerator, SerialPortList& list)
{
    const OpenedKey key(m_services, enumKey, enumerator);
    if (!key.IsOpen()) throw EnumerationError(kCannotReadEnum + kKeySeparator + enumerator);
    const bool usb = enumerator == kUsbEnumerator;
    for (uint32_t i = 0; const auto deviceId = m_services.EnumKey(key.Get(), i, kRegistryTextSize); ++i) {
        if (!usb && !IsSerialPortDevice(*deviceId)) continue;
        const OpenedKey deviceKey(m_services, key.Get(), *deviceId);
        if (!deviceKey.IsOpen()) throw EnumerationError(kCannotReadEnum + kKeySeparator + enumerator + kKeySeparator + *deviceId);
        ReadInstances(deviceKey.Get(), usb, list);
    }
}

void RegistryPorts::ReadInstances(RegistryKey deviceKey, bool usb, SerialPortList& list)
{
    for (uint32_t i = 0; const auto instance = m_services.EnumKey(deviceKey, i, kRegistryTextSize); ++i) {
        const OpenedKey key(m_services, deviceKey, *instance);
        if (!key.IsOpen()) throw EnumerationError(kCannotReadEnum + kElidedKeys + *instance);
        auto portName = m_services.QueryStringValue(key.Get(), kPortNameValue, kRegistryTextSize);
        if (!portName) continue;
        auto friendlyName = m_services.QueryStringValue(key.Get(), kFriendlyNameValue, kRegistryTextSize);
        Record({.devicePath = DevicePathFor(*portName),
                   .portName = std::move(*portName),
                   .friendlyName = friendlyName.value_or(std::string()),
                   .usb = usb ? 1 : 0,
                   .description = {}},
            list);
    }
}

void RegistryPorts::Record(SerialPortInfo port, SerialPortList& list)
{
    const auto first = std::ranges::find(list, port.portName, &SerialPortInfo::portName);
    if (first != list.end())
        *first = std::move(port);
    else
        list.push_back(std::move(port));
}

} // namespace ports
