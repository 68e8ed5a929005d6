#include "platform/devices/SysfsPortScanner.h"

#include "platform/devices/NaturalOrder.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace devices {
namespace {

// The serial core reports PORT_UNKNOWN (0) for an 8250 slot with no UART found.
constexpr std::string_view kNoUartType = "0";

constexpr std::string_view kUsbLocationPrefix = "USB ";
constexpr std::string_view kUsbGenericName = "USB Serial";
constexpr std::string_view kSerialGenericName = "Serial Port";
// Location of a device without a subsystem link.
constexpr std::string_view kUnknownSubsystem = "device";

// An attribute's text without the line end sysfs adds; empty when it cannot be read.
std::string ReadAttribute(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ' || text.back() == '\r')) text.pop_back();
    return text;
}

bool Exists(const fs::path& path)
{
    std::error_code ignored;
    return fs::exists(path, ignored);
}

// Resolved as far as it goes, so a dangling or odd link still gives a usable path.
fs::path Resolve(const fs::path& path)
{
    std::error_code error;
    fs::path resolved = fs::canonical(path, error);
    return error ? fs::weakly_canonical(path, error) : resolved;
}

std::string SubsystemOf(const fs::path& device)
{
    std::error_code error;
    const fs::path link = fs::read_symlink(device / "subsystem", error);
    return error ? std::string(kUnknownSubsystem) : link.filename().string();
}

} // namespace

SysfsPortScanner::SysfsPortScanner(fs::path sysRoot, fs::path devRoot)
    : m_sysRoot(Resolve(sysRoot))
    , m_devRoot(std::move(devRoot))
{ }

std::vector<TtyPort> SysfsPortScanner::Scan() const
{
    const fs::path classDir = m_sysRoot / "class" / "tty";
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(classDir, error), end; !error && it != end; it.increment(error)) {
        if (Counts(it->path())) names.push_back(it->path().filename().string());
    }
    std::ranges::sort(names, NaturalLess);

    std::vector<TtyPort> ports;
    ports.reserve(names.size());
    for (const auto& name : names) ports.push_back(Describe(name, classDir / name));
    return ports;
}

bool SysfsPortScanner::Counts(const fs::path& ttyDir) const
{
    // Virtual terminals, ptys and the console have no device link.
    if (!Exists(ttyDir / "device")) return false;
    return ReadAttribute(ttyDir / "type") != kNoUartType;
}

TtyPort SysfsPortScanner::Describe(const std::string& name, const fs::path& ttyDir) const
{
    const fs::path device = Resolve(ttyDir / "device");
    TtyPort port;
    port.devicePath = (m_devRoot / name).string();
    if (const fs::path usbDevice = FindUsbDevice(device); !usbDevice.empty()) {
        const std::string product = ReadAttribute(usbDevice / "product");
        port.usb = true;
        port.description = product.empty() ? std::string(kUsbGenericName) : product;
        port.location = std::string(kUsbLocationPrefix) + usbDevice.filename().string();
    } else {
        port.description = kSerialGenericName;
        port.location = SubsystemOf(device) + " " + device.filename().string();
    }
    port.friendlyName = port.description + " (" + name + ")";
    return port;
}

fs::path SysfsPortScanner::FindUsbDevice(const fs::path& device) const
{
    for (fs::path dir = device; dir != m_sysRoot && dir.has_relative_path(); dir = dir.parent_path()) {
        if (Exists(dir / "idVendor") && Exists(dir / "idProduct")) return dir;
    }
    return {};
}

} // namespace devices
