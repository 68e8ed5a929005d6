#include "tests/platform/devices/FakeSysfs.h"

#include <cstdlib>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

fs::path MakeTempDir()
{
    std::string pattern = (fs::temp_directory_path() / "velmora-sysfs-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw fs::filesystem_error("mkdtemp", std::make_error_code(std::errc::io_error));
    return fs::canonical(pattern);
}

} // namespace

FakeSysfs::FakeSysfs() : m_root(MakeTempDir())
{
    fs::create_directories(SysRoot() / "class" / "tty");
    fs::create_directories(DevRoot());
}

FakeSysfs::~FakeSysfs()
{
    std::error_code ignored;
    fs::remove_all(m_root, ignored);
}

fs::path FakeSysfs::Device(const std::string& path) const
{
    const fs::path dir = SysRoot() / "devices" / path;
    fs::create_directories(dir);
    return dir;
}

fs::path FakeSysfs::UsbDevice(const std::string& path, const std::string& product, const std::string& manufacturer) const
{
    const fs::path dir = Device(path);
    Attribute(dir, "idVendor", "0403");
    Attribute(dir, "idProduct", "6001");
    if (!product.empty())
        Attribute(dir, "product", product);
    if (!manufacturer.empty())
        Attribute(dir, "manufacturer", manufacturer);
    Subsystem(dir, "usb");
    return dir;
}

void FakeSysfs::Subsystem(const fs::path& device, const std::string& bus) const
{
    const fs::path busDir = SysRoot() / "bus" / bus;
    fs::create_directories(busDir);
    RelativeLink(device / "subsystem", busDir);
}

fs::path FakeSysfs::Tty(const fs::path& owner, const std::string& name, bool withDeviceLink) const
{
    const fs::path dir = owner / "tty" / name;
    fs::create_directories(dir);
    Attribute(dir, "dev", "4:64");
    RelativeLink(SysRoot() / "class" / "tty" / name, dir);
    if (withDeviceLink)
        RelativeLink(dir / "device", owner);
    return dir;
}

void FakeSysfs::Attribute(const fs::path& dir, const std::string& name, const std::string& text)
{
    std::ofstream(dir / name, std::ios::binary | std::ios::trunc) << text << '\n';
}

void FakeSysfs::DeviceNode(const std::string& name) const
{
    std::ofstream(DevRoot() / name, std::ios::binary | std::ios::trunc);
}

void FakeSysfs::RelativeLink(const fs::path& link, const fs::path& target)
{
    fs::create_directory_symlink(fs::relative(target, link.parent_path()), link);
}
