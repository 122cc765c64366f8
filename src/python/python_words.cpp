#include "python/python_words.h"

#include <algorithm>
#include <cctype>

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
    return text;
}

} // namespace zandrevio::python
