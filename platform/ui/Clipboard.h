#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ui {

// The system clipboard's plain text, and records of the program's own kept beside it.
class Clipboard {
public:
    static void SetText(std::string_view text);
    // The text, with `record` beside it in a private format that only this program reads.
    static void SetText(std::string_view text, std::string_view format, std::string_view record);
    static std::string GetText();
    static bool HasText();
    // The record of `format` beside the text; nothing when another program made the clipboard.
    static std::optional<std::string> GetRecord(std::string_view format);
};

} // namespace ui
