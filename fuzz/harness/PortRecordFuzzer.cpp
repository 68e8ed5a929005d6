// Port records completed from the strings a system gives: device interfaces with their
// properties, or the registry's port instances. Whatever the strings, the enumeration releases
// everything it opened; one that finishes gives every record a name to show and a
// description, a port name once, and its probe removes exactly the ports that cannot be
// opened; one that fails keeps its records as found.
//
// Input: lines of tab-separated fields, the first naming what the line adds to the system:
//   V major platform                          the system's version (default 6, NT)
//   I path [friendly [description [location]]] a COM-port interface; a missing field cannot be read
//   R enumerator device instance [PORTNAME [FRIENDLYNAME]]
//   X path                                     a device that cannot be opened
//   K path                                     a registry key that cannot be opened
//   E index error / D index error              the interface enumeration or detail fails there

#include "fuzz/support/Check.h"
#include "platform/devices/ScriptedDeviceServices.h"
#include "ports/EnumerateSerialPorts.h"
#include "ports/PortRecordCompletion.h"

#include <algorithm>
#include <charconv>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

using devices::ScriptedDeviceServices;

std::vector<std::string> Split(std::string_view line, char separator)
{
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        const size_t end = line.find(separator, start);
        fields.emplace_back(line.substr(start, end - start));
        if (end == std::string_view::npos) return fields;
        start = end + 1;
    }
}

uint32_t Number(const std::string& text)
{
    uint32_t value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::optional<std::string> Field(const std::vector<std::string>& fields, size_t at)
{
    return at < fields.size() ? std::optional(fields[at]) : std::nullopt;
}

// The system the input describes, and every string it holds.
struct World {
    std::vector<std::vector<std::string>> lines;
    std::set<std::string> unopenable;
    bool usesInterfaces = true;

    explicit World(std::string_view input)
    {
        for (const std::string& line : Split(input, '\n')) lines.push_back(Split(line, '\t'));
        for (const auto& fields : lines) {
            if (fields[0] == "X" && fields.size() > 1) unopenable.insert(fields[1]);
        }
    }

    void Build(ScriptedDeviceServices& services)
    {
        for (const auto& f : lines) {
            const std::string& kind = f[0];
            if (kind == "V" && f.size() > 2) {
                services.SetVersion(Number(f[1]), Number(f[2]));
                usesInterfaces = Number(f[1]) >= 5;
            } else if (kind == "I" && f.size() > 1) {
                services.AddInterface({f[1], Field(f, 2), Field(f, 3), Field(f, 4)});
            } else if (kind == "R" && f.size() > 3) {
                const std::string key = "Enum\\" + f[1] + '\\' + f[2] + '\\' + f[3];
                services.AddKey(key);
                if (f.size() > 4) services.SetString(key, "PORTNAME", f[4]);
                if (f.size() > 5) services.SetString(key, "FRIENDLYNAME", f[5]);
            } else if (kind == "X" && f.size() > 1) {
                services.FailOpenDevice(f[1]);
            } else if (kind == "K" && f.size() > 1) {
                services.FailOpenKey(f[1]);
            } else if (kind == "E" && f.size() > 2) {
                services.FailEnumAt(Number(f[1]), Number(f[2]));
            } else if (kind == "D" && f.size() > 2) {
                services.FailDetailAt(Number(f[1]), Number(f[2]));
            }
        }
    }
};

struct Enumeration {
    SerialPortList list;
    bool failed = false;
};

Enumeration Enumerate(World& world, bool probe)
{
    ScriptedDeviceServices services;
    world.Build(services);
    Enumeration result;
    try {
        EnumerateSerialPorts(result.list, probe, services);
    } catch (const EnumerationError& error) {
        result.failed = true;
        FUZZ_CHECK(std::string_view(error.what()).size() > 0);
    }
    FUZZ_CHECK(services.OpenHandles() == 0);
    return result;
}

// "Name (COM1)" loses its qualifier; any other text stays whole.
void CheckDescription(const std::string& friendlyName)
{
    const std::string description = ports::DescriptionFromFriendlyName(friendlyName);
    FUZZ_CHECK(friendlyName.starts_with(description));
    if (description.size() == friendlyName.size()) return;
    FUZZ_CHECK(!description.empty());
    FUZZ_CHECK(friendlyName.compare(description.size(), 2, " (") == 0 && friendlyName.back() == ')');
    FUZZ_CHECK(friendlyName.find(')') == friendlyName.size() - 1);
    FUZZ_CHECK(friendlyName.find(" (") == description.size());
}

void CheckRecords(const SerialPortList& list, bool uniqueNames)
{
    std::set<std::string> portNames;
    for (const SerialPortInfo& port : list) {
        FUZZ_CHECK(!port.friendlyName.empty() || port.portName.empty());
        FUZZ_CHECK(!port.description.empty() || port.friendlyName.empty());
        if (uniqueNames) FUZZ_CHECK(portNames.insert(port.portName).second);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* input, size_t size)
{
    World world(std::string_view(reinterpret_cast<const char*>(input), size));
    for (const auto& fields : world.lines) {
        for (const std::string& field : fields) CheckDescription(field);
    }

    const Enumeration all = Enumerate(world, false);
    const Enumeration openable = Enumerate(world, true);
    // Probing comes after the listing, so both fail alike.
    FUZZ_CHECK(all.failed == openable.failed);
    if (all.failed) {
        FUZZ_CHECK(openable.list == all.list);
        return 0;
    }
    const bool uniqueNames = !world.usesInterfaces;
    CheckRecords(all.list, uniqueNames);
    CheckRecords(openable.list, uniqueNames);
    SerialPortList expected = all.list;
    std::erase_if(expected, [&world](const SerialPortInfo& port) { return world.unopenable.contains(port.devicePath); });
    FUZZ_CHECK(openable.list == expected);
    return 0;
}
