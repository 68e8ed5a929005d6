#include "pages/NumberLead.h"

namespace {

bool IsCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

} // namespace

NumberLead ReadNumberLead(std::string_view text)
{
    NumberLead lead;
    while (lead.digits < text.size() && IsCSpace(text[lead.digits])) ++lead.digits;
    if (lead.digits < text.size() && (text[lead.digits] == '+' || text[lead.digits] == '-')) {
        lead.negative = text[lead.digits] == '-';
        ++lead.digits;
    }
    return lead;
}

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool HasHexPrefix(std::string_view text, size_t at)
{
    return text.size() - at > 2 && text[at] == '0' && (text[at + 1] == 'x' || text[at + 1] == 'X');
}
