#include "python/python_words.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace zandrevio::python {

std::string PythonName(std::string_view name)
{
    // A name that is a keyword of Python takes a trailing underscore: from_.
    static constexpr std::string_view kKeywords[] = {
        "and",  "as",     "assert", "async",  "await",  "break",   "class",    "continue", "def",
        "del",  "elif",   "else",   "except", "False",  "finally", "for",      "from",     "global",
        "if",   "import", "in",     "is",     "lambda", "None",    "nonlocal", "not",      "or",
        "pass", "raise",  "return", "True",   "try",    "while",   "with",     "yield"};
    std::string python(name);
    for (char& c : python) {
        if (c == '-') {
            c = '_';
        }
    }
    if (std::find(std::begin(kKeywords), std::end(kKeywords), python) != std::end(kKeywords)) {
        python += '_';
    }
    return python;
}

std::string ValidUtf8(std::string_view text)
{
    std::string valid;
    valid.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        // The length of the sequence this byte leads, and the least value it may encode.
        const std::size_t length = byte < 0x80 ? 1 : (byte >> 5) == 0x6 ? 2 : (byte >> 4) == 0xE ? 3 : (byte >> 3) == 0x1E ? 4 : 0;
        bool good = length > 0 && i + length <= text.size();
        std::uint32_t code = length == 1 ? byte : length == 2 ? byte & 0x1F : length == 3 ? byte & 0x0F : byte & 0x07;
        for (std::size_t k = 1; good && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            good = (next >> 6) == 0x2;
            code = (code << 6) | (next & 0x3F);
        }
        constexpr std::uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
        good = good && code >= kLeast[length] && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF);
        if (good) {
            valid.append(text.substr(i, length));
            i += length;
        } else {
            valid += "\xEF\xBF\xBD"; // U+FFFD, the replacement character
            ++i;
        }
    }
    return valid;
}

std::string PythonWords(std::string_view message)
{
    std::string text;
    text.reserve(message.size());
    for (std::size_t i = 0; i < message.size();) {
        const bool option = message.compare(i, 2, "--") == 0 && i + 2 < message.size() &&
            std::islower(static_cast<unsigned char>(message[i + 2])) &&
            (i == 0 || message[i - 1] == ' ' || message[i - 1] == '(');
        if (!option) {
            text += message[i++];
            continue;
        }
        std::size_t end = i + 2;
        while (end < message.size() &&
               (std::isalnum(static_cast<unsigned char>(message[end])) || message[end] == '-')) {
            ++end;
        }
        text += PythonName(message.substr(i + 2, end - i - 2));
        i = end;
    }
    return ValidUtf8(text);
}

} // namespace zandrevio::python
