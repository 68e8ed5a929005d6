// Profile files: any bytes, UTF-8 or CP932, read the way the program reads its base file and
// its profiles. Every text that comes out is UTF-8 on one line, the reads through the file
// agree with the reads of its bytes, and the one write stores its number while every other
// read stays as it was.
//
// Input: the bytes of the file.

#include "app/MonItem.h"
#include "app/MonitorFormat.h"
#include "fuzz/support/Check.h"
#include "fuzz/support/ScratchFile.h"
#include "platform/profile/IniText.h"
#include "platform/profile/IniValue.h"
#include "platform/profile/ProfileFile.h"
#include "platform/profile/Utf8.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

// The bounds the program puts on what a file says.
constexpr int kMaxListed = 256; // [Profiles] and [Ports] Items
constexpr int kNoMonItems = 99;
constexpr int kMaxMonItems = 24;
constexpr int kMaxDataItems = 99;
// The program reads a long list to its bound; every entry after the first few takes the same
// path, and each read parses the file again, so the harness stops there.
constexpr int kWalked = 4;
constexpr int kUnset = 99; // Address and Type of a monitor item without them
constexpr int kMapTypes[] = {0, 3, 4, 5};
constexpr size_t kMonitorTextLimit = 511;

const std::string kCommSelect = "CommSelect";
const std::string kItem = "Item";

std::string Numbered(const std::string& prefix, int number)
{
    return prefix + std::to_string(number);
}

// What ProfileFile answers, from bytes already in memory; every answer is logged.
class Reads {
public:
    explicit Reads(std::string bytes)
        : m_text(std::move(bytes))
    { }

    int GetInt(const std::string& section, const std::string& key, int defaultValue)
    {
        const std::optional<std::string> value = Value(section, key);
        const int result = value ? profile::ParseIniInt(profile::UnquoteIniValue(*value)) : defaultValue;
        m_log.push_back(section + '/' + key + '=' + std::to_string(result));
        return result;
    }

    std::string GetString(const std::string& section, const std::string& key)
    {
        const std::optional<std::string> value = Value(section, key);
        std::string result = value ? std::string(profile::UnquoteIniValue(*value)) : std::string();
        m_log.push_back(section + '/' + key + '=' + result);
        m_texts.push_back(result);
        return result;
    }

    const profile::IniText& Text() const { return m_text; }
    const std::vector<std::string>& Log() const { return m_log; }
    const std::vector<std::string>& Texts() const { return m_texts; }

private:
    std::optional<std::string> Value(const std::string& section, const std::string& key) const
    {
        std::optional<std::string> value = m_text.Value(section, key);
        if (value) {
            FUZZ_CHECK(profile::IsValidUtf8(*value));
            FUZZ_CHECK(value->find_first_of("\r\n") == std::string::npos);
            FUZZ_CHECK(value->empty() || (value->front() != ' ' && value->front() != '\t'));
            FUZZ_CHECK(value->empty() || (value->back() != ' ' && value->back() != '\t'));
        }
        return value;
    }

    profile::IniText m_text;
    std::vector<std::string> m_log;
    std::vector<std::string> m_texts;
};

// The base file: the port dialog's list and choice, the profile dialog's list.
void ReadAsBaseFile(Reads& file)
{
    file.GetInt(kCommSelect, kItem, 0);
    for (const std::string section : {"Ports", "Profiles"}) {
        const int count = std::min(std::clamp(file.GetInt(section, "Items", 0), 0, kMaxListed), kWalked);
        for (int i = 1; i <= count; ++i) file.GetString(section, Numbered(kItem, i));
    }
}

void ReadMonitorItems(Reads& file, int count)
{
    for (int n = 1; n <= count; ++n) {
        const std::string section = Numbered("MonItem", n);
        file.GetString(section, "Name");
        file.GetString(section, "Unit");
    }
    for (int n = 1; n <= count; ++n) {
        const std::string section = Numbered("MonItem", n);
        MonItem item;
        item.m_dCoefficient = ParseProfileNumber(file.GetString(section, "Coefficient"));
        item.m_dOffset = ParseProfileNumber(file.GetString(section, "Offset"));
        item.m_strFormat = file.GetString(section, "Format");
        item.m_nAddress = file.GetInt(section, "Address", kUnset);
        item.m_nType = file.GetInt(section, "Type", kUnset);
        if (!item.IsValid()) return;
        for (const int raw : {0, 0xFFFF})
            FUZZ_CHECK(FormatMonitorValue(item.m_strFormat, item.Convert(raw).value).size() <= kMonitorTextLimit);
    }
}

// A profile: the monitor list, then a page per data item.
void ReadAsProfile(Reads& file)
{
    const int monItems = file.GetInt("Velmora", "MonItems", kNoMonItems);
    if (monItems != kNoMonItems) ReadMonitorItems(file, std::min(std::clamp(monItems, 0, kMaxMonItems), kWalked));
    const int dataItems = std::min({file.GetInt("Velmora", "DataItems", kMaxDataItems), kMaxDataItems, kWalked});
    for (int n = 1; n <= dataItems; ++n) {
        const std::string section = Numbered("DataItem", n);
        file.GetString(section, "Name");
        const int type = file.GetInt(section, "Type", kUnset);
        if (std::ranges::find(kMapTypes, type) == std::end(kMapTypes)) continue;
        file.GetInt(section, "Command", 0);
        file.GetInt(section, "Type", 0);
        file.GetString(section, "Unit");
    }
}

std::vector<std::string> ReadEverything(Reads& file)
{
    ReadAsBaseFile(file);
    ReadAsProfile(file);
    return file.Log();
}

// Leaves out the one key the write changes.
std::vector<std::string> OtherThanTheChoice(std::vector<std::string> log)
{
    const std::string choice = kCommSelect + '/' + kItem + '=';
    std::erase_if(log, [&choice](const std::string& line) { return line.starts_with(choice); });
    return log;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* input, size_t size)
{
    static const ScratchFile scratch("Velmora.ini");
    const std::string bytes(reinterpret_cast<const char*>(input), size);
    Reads memory(bytes);
    const std::vector<std::string> before = ReadEverything(memory);
    if (!memory.Text().IsCp932()) {
        // A UTF-8 file's values are its own bytes.
        for (const std::string& text : memory.Texts()) FUZZ_CHECK(bytes.find(text) != std::string::npos);
    }

    scratch.Write(bytes);
    const profile::ProfileFile file(scratch.Path());
    FUZZ_CHECK(file.GetInt(kCommSelect, kItem, 0) == Reads(bytes).GetInt(kCommSelect, kItem, 0));
    FUZZ_CHECK(file.GetString("Profiles", "Item1") == Reads(bytes).GetString("Profiles", "Item1"));

    // The write the port dialog makes: a number whatever the file holds there now.
    const int choice = static_cast<int>(size % 300) - 1;
    FUZZ_CHECK(file.WriteInt(kCommSelect, kItem, choice));
    const std::string written = scratch.Read();
    FUZZ_CHECK(written == memory.Text().WithValue(kCommSelect, kItem, std::to_string(choice)));
    Reads after(written);
    FUZZ_CHECK(after.GetInt(kCommSelect, kItem, choice + 1) == choice);
    // Digits decide no encoding. The old value may have held the bytes that decided the file's
    // (its only bytes that are not UTF-8, or its only Japanese character): then the file reads
    // in the other one from now on, and its other texts may read differently; otherwise every
    // other read stays as it was.
    if (after.Text().IsCp932() != memory.Text().IsCp932()) {
        const std::optional<std::string> old = memory.Text().Value(kCommSelect, kItem);
        FUZZ_CHECK(old && std::ranges::any_of(*old, [](char c) { return static_cast<unsigned char>(c) >= 0x80; }));
        return 0;
    }
    Reads again(written);
    FUZZ_CHECK(OtherThanTheChoice(ReadEverything(again)) == OtherThanTheChoice(before));
    return 0;
}
