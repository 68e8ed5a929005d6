#include "platform/profile/Cp932.h"

#include "platform/win32/Wide.h"

#include "platform/win32/Windows.h"

namespace profile {

namespace {

constexpr UINT kCp932 = 932;
constexpr wchar_t kReplacementCharacter = 0xFFFD;

// The UTF-16 of input, or nothing when a byte starts no character of the code page.
std::optional<std::wstring> Decode(UINT codePage, std::string_view input)
{
    if (input.empty()) return std::wstring();
    const int size = static_cast<int>(input.size());
    const int length = ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, input.data(), size, nullptr, 0);
    if (length == 0) return std::nullopt;
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, input.data(), size, wide.data(), length);
    return wide;
}

// One character at a time, each bad byte replaced and the next byte read afresh, as a file
// with a stray byte is best shown.
std::wstring DecodeReplacing(std::string_view cp932)
{
    std::wstring wide;
    while (!cp932.empty()) {
        const bool lead = ::IsDBCSLeadByteEx(kCp932, static_cast<BYTE>(cp932.front())) != 0;
        const size_t length = lead && cp932.size() > 1 ? 2 : 1;
        const std::optional<std::wstring> character = lead && length == 1 ? std::nullopt : Decode(kCp932, cp932.substr(0, length));
        if (character) {
            wide += *character;
            cp932.remove_prefix(length);
        } else {
            wide += kReplacementCharacter;
            cp932.remove_prefix(1);
        }
    }
    return wide;
}

} // namespace

// Code page 932 needs nothing kept open.
struct Cp932::Converters { };

Cp932::Cp932()
    : m_converters(std::make_unique<Converters>())
{ }

Cp932::~Cp932() = default;

std::string Cp932::ToUtf8(std::string_view cp932) const
{
    const std::optional<std::wstring> whole = Decode(kCp932, cp932);
    return win32::Narrow(whole ? *whole : DecodeReplacing(cp932));
}

std::optional<std::string> Cp932::FromUtf8(std::string_view utf8) const
{
    const std::optional<std::wstring> wide = Decode(CP_UTF8, utf8);
    if (!wide) return std::nullopt;
    if (wide->empty()) return std::string();
    const int size = static_cast<int>(wide->size());
    BOOL usedDefault = FALSE;
    const int length = ::WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, wide->data(), size, nullptr, 0, nullptr, &usedDefault);
    if (length == 0 || usedDefault) return std::nullopt;
    std::string bytes(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, wide->data(), size, bytes.data(), length, nullptr, nullptr);
    return bytes;
}

} // namespace profile
