// The system clipboard on Windows: UTF-16 text, and the program's records in formats it
// registers. Pairs with qt/ClipboardQt.cpp.

#include "platform/ui/Clipboard.h"

#include "platform/win32/Wide.h"

#include <cstdint>
#include <cstring>
#include <cwchar>
#include <utility>

#include "platform/win32/Windows.h"

namespace ui {

namespace {

// Another program may hold the clipboard for a moment: ask a few times before giving up.
constexpr int kOpenAttempts = 10;
constexpr DWORD kOpenRetryMs = 10;

// What the program puts on the clipboard needs an owner window: a message-only one, made again
// only if the thread that made it has ended and taken it along.
HWND ClipboardOwner()
{
    static HWND owner = nullptr;
    if (owner == nullptr || !::IsWindow(owner)) {
        owner = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    }
    return owner;
}

class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner)
    {
        for (int attempt = 0; attempt < kOpenAttempts && !m_open; ++attempt) {
            if (attempt > 0) ::Sleep(kOpenRetryMs);
            m_open = ::OpenClipboard(owner) != 0;
        }
    }
    ~OpenedClipboard()
    {
        if (m_open) ::CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;

    bool IsOpen() const { return m_open; }

private:
    bool m_open = false;
};

// A name of our own, so that no other program's data passes for a record; registering the same
// name again gives the same id.
UINT PrivateFormat(std::string_view format)
{
    return ::RegisterClipboardFormatW(win32::Widen(std::string("application/x-velmora-") + std::string(format)).c_str());
}

// Text on the Windows clipboard ends its lines with CR LF, which other programs expect; inside
// the program a line ends with LF.
std::string WithCrLf(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) result += '\r';
        result += text[i];
    }
    return result;
}

std::string WithoutCrLf(std::string text)
{
    size_t kept = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        text[kept++] = text[i];
    }
    text.resize(kept);
    return text;
}

// A block the clipboard takes over once SetClipboardData succeeds.
HGLOBAL GlobalCopy(const void* data, size_t size)
{
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (block == nullptr) return nullptr;
    void* memory = ::GlobalLock(block);
    if (memory == nullptr) {
        ::GlobalFree(block);
        return nullptr;
    }
    std::memcpy(memory, data, size);
    ::GlobalUnlock(block);
    return block;
}

void Put(UINT format, HGLOBAL block)
{
    if (block != nullptr && ::SetClipboardData(format, block) == nullptr) ::GlobalFree(block);
}

void PutText(std::string_view text)
{
    const std::wstring wide = win32::Widen(WithCrLf(text));
    Put(CF_UNICODETEXT, GlobalCopy(wide.c_str(), (wide.size() + 1) * sizeof(wchar_t)));
}

// A record carries its length in front: a global block may be larger than was asked for.
void PutRecord(UINT format, std::string_view record)
{
    const uint64_t length = record.size();
    std::string block(sizeof(length), '\0');
    std::memcpy(block.data(), &length, sizeof(length));
    block += record;
    Put(format, GlobalCopy(block.data(), block.size()));
}

} // namespace

void Clipboard::SetText(std::string_view text)
{
    OpenedClipboard clipboard(ClipboardOwner());
    if (!clipboard.IsOpen() || !::EmptyClipboard()) return;
    PutText(text);
}

void Clipboard::SetText(std::string_view text, std::string_view format, std::string_view record)
{
    const UINT recordFormat = PrivateFormat(format);
    OpenedClipboard clipboard(ClipboardOwner());
    if (!clipboard.IsOpen() || !::EmptyClipboard()) return;
    PutText(text);
    if (recordFormat != 0) PutRecord(recordFormat, record);
}

std::string Clipboard::GetText()
{
    OpenedClipboard clipboard(nullptr);
    if (!clipboard.IsOpen()) return {};
    HANDLE block = ::GetClipboardData(CF_UNICODETEXT);
    if (block == nullptr) return {};
    const auto* text = static_cast<const wchar_t*>(::GlobalLock(block));
    if (text == nullptr) return {};
    // The text ends at its NUL, which a foreign program may have left out.
    const std::wstring_view wide(text, ::wcsnlen(text, ::GlobalSize(block) / sizeof(wchar_t)));
    std::string narrow = win32::Narrow(wide);
    ::GlobalUnlock(block);
    return WithoutCrLf(std::move(narrow));
}

bool Clipboard::HasText()
{
    // The system offers text put there in any of its text formats as UTF-16 too.
    return ::IsClipboardFormatAvailable(CF_UNICODETEXT) != 0;
}

std::optional<std::string> Clipboard::GetRecord(std::string_view format)
{
    const UINT recordFormat = PrivateFormat(format);
    if (recordFormat == 0 || !::IsClipboardFormatAvailable(recordFormat)) return std::nullopt;
    OpenedClipboard clipboard(nullptr);
    if (!clipboard.IsOpen()) return std::nullopt;
    HANDLE block = ::GetClipboardData(recordFormat);
    if (block == nullptr) return std::nullopt;
    const auto* memory = static_cast<const unsigned char*>(::GlobalLock(block));
    if (memory == nullptr) return std::nullopt;
    const size_t available = ::GlobalSize(block);
    uint64_t length = 0;
    std::optional<std::string> record;
    if (available >= sizeof(length)) {
        std::memcpy(&length, memory, sizeof(length));
        if (length <= available - sizeof(length))
            record.emplace(reinterpret_cast<const char*>(memory) + sizeof(length), static_cast<size_t>(length));
    }
    ::GlobalUnlock(block);
    return record;
}

} // namespace ui
