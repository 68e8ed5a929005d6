#include "platform/serial/SerialDevice.h"

#include "platform/serial/SystemSerialDevice.h"

#include <map>
#include <mutex>
#include <utility>

namespace serial {
namespace {

struct OpenerRegistry {
    std::mutex mutex;
    std::map<std::string, SerialDevice::Opener> openers;
};

OpenerRegistry& Registry()
{
    static OpenerRegistry registry;
    return registry;
}

SerialDevice::Opener FindOpener(const std::string& path)
{
    OpenerRegistry& registry = Registry();
    const std::lock_guard lock(registry.mutex);
    const auto found = registry.openers.find(path);
    return found == registry.openers.end() ? SerialDevice::Opener{} : found->second;
}

} // namespace

std::unique_ptr<SerialDevice> SerialDevice::Open(const std::string& path, PortError& why)
{
    why = PortError::None;
    // Called outside the lock so an opener may itself register or open.
    if (const Opener opener = FindOpener(path)) {
        return opener(why);
    }
    return OpenSystemDevice(path, why);
}

std::unique_ptr<SerialDevice> SerialDevice::Open(const std::string& path)
{
    PortError ignored = PortError::None;
    return Open(path, ignored);
}

void SerialDevice::RegisterOpener(const std::string& path, Opener opener)
{
    OpenerRegistry& registry = Registry();
    const std::lock_guard lock(registry.mutex);
    // An empty opener withdraws the path, so a test can leave the registry as it found it.
    if (opener) {
        registry.openers.insert_or_assign(path, std::move(opener));
    } else {
        registry.openers.erase(path);
    }
}

} // namespace serial
