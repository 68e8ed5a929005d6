#pragma once

#include <filesystem>
#include <string>

// A sysfs tree and a /dev folder in a fresh temporary folder, laid out as the kernel lays
// them out: devices under sys/devices, a link per tty in sys/class/tty, a device link from
// the tty to the device that owns it. Removed with the object.
class FakeSysfs {
public:
    FakeSysfs();
    ~FakeSysfs();
    FakeSysfs(const FakeSysfs&) = delete;
    FakeSysfs& operator=(const FakeSysfs&) = delete;

    std::filesystem::path SysRoot() const { return m_root / "sys"; }
    std::filesystem::path DevRoot() const { return m_root / "dev"; }

    // sys/devices/<path>, created with its parents.
    std::filesystem::path Device(const std::string& path) const;
    // A USB device directory: idVendor, idProduct and the given strings (empty: no file).
    std::filesystem::path UsbDevice(const std::string& path, const std::string& product,
                                    const std::string& manufacturer) const;
    // <device>/subsystem linking to sys/bus/<bus>.
    void Subsystem(const std::filesystem::path& device, const std::string& bus) const;
    // <owner>/tty/<name> with its class link; the device link to owner unless withDeviceLink is false.
    std::filesystem::path Tty(const std::filesystem::path& owner, const std::string& name,
                              bool withDeviceLink = true) const;
    // An attribute file holding text and the line end sysfs adds.
    static void Attribute(const std::filesystem::path& dir, const std::string& name, const std::string& text);
    // dev/<name> as a plain file, which opens like a device.
    void DeviceNode(const std::string& name) const;

private:
    static void RelativeLink(const std::filesystem::path& link, const std::filesystem::path& target);

    const std::filesystem::path m_root;
};
