#include "cli/reference.h"

#include "channels/band_plans.h"
#include "cli/commands.h"
#include "cli/table.h"

#include <vector>

namespace zandrevio::cli {

namespace {
const char* const kGlobalOptions = "--json --digits --decimal-comma --help --version";

// The word as a single-quoted shell word.
std::string Quoted(const std::string& word)
{
    std::string quoted = "'";
    for (char c : word) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

std::vector<std::string> BandStandardWords()
{
    std::vector<std::string> words;
    for (const Choice& standard : BandStandardChoices()) {
        words.emplace_back(standard.key);
    }
    return words;
}

// The subcommand as it is typed: "convert length" is completed as a word
// after "convert".
std::string Typed(const std::string& name)
{
    return name.rfind("convert-", 0) == 0 ? name.substr(8) : name;
}

std::string Words(const std::vector<std::string>& words)
{
    std::string list;
    for (const std::string& word : words) {
        list += (list.empty() ? "" : " ") + Quoted(word);
    }
    return list;
}

// Man-page text: a backslash and a leading dash or dot are escaped.
std::string Roff(const std::string& text)
{
    std::string escaped;
    for (char c : text) {
        if (c == '\\') {
            escaped += "\\e";
        } else if (c == '-') {
            escaped += "\\-";
        } else {
            escaped += c;
        }
    }
    return escaped;
}
} // namespace

std::string BashCompletion()
{
    std::vector<std::string> names;
    for (const Command& command : Commands()) {
        if (command.name.rfind("convert-", 0) != 0) {
            names.push_back(command.name);
        }
    }
    names.insert(names.end(), {"convert", "cables", "bands", "batch", "table"});

    std::string script = "# bash completion for zandrevio-calc, written from its calculations.\n"
                         "# Each option offers the words the tool takes; no helper package is needed.\n"
                         "\n"
                         "# The value typed for an option (--model hata or --model=hata), in lower case.\n"
                         "_zandrevio_calc_value()\n{\n"
                         "    local i value=\"\"\n"
                         "    for ((i = 1; i < COMP_CWORD; i++)); do\n"
                         "        if [[ ${COMP_WORDS[i]} == \"$1\" ]] && ((i + 1 < COMP_CWORD)); then\n"
                         "            value=${COMP_WORDS[i + 1]}\n"
                         "        elif [[ ${COMP_WORDS[i]} == \"$1=\"* ]]; then\n"
                         "            value=${COMP_WORDS[i]#*=}\n"
                         "        fi\n"
                         "    done\n"
                         "    printf '%s' \"${value,,}\"\n"
                         "}\n"
                         "\n"
                         "_zandrevio_calc()\n{\n"
                         "    local cur=${COMP_WORDS[COMP_CWORD]} prev=\"\" command=\"\" i\n"
                         "    ((COMP_CWORD > 0)) && prev=${COMP_WORDS[COMP_CWORD - 1]}\n"
                         "    local commands=\"";
    for (std::size_t i = 0; i < names.size(); ++i) {
        script += (i == 0 ? "" : " ") + names[i];
    }
    script += "\"\n"
              "    for ((i = 1; i < COMP_CWORD; i++)); do\n"
              "        if [[ \" $commands \" == *\" ${COMP_WORDS[i]} \"* ]]; then\n"
              "            command=${COMP_WORDS[i]}\n"
              "            break\n"
              "        fi\n"
              "    done\n"
              "    if [[ $command == convert ]] && ((i + 1 < COMP_CWORD)); then\n"
              "        command=convert-${COMP_WORDS[i + 1]}\n"
              "    fi\n"
              "    local -a words=()\n"
              "    case \"$command $prev\" in\n";
    for (const Command& command : Commands()) {
        for (const OptionInfo& option : command.options) {
            if (option.placeholder.rfind("FILE", 0) == 0) {
                script += "        \"" + command.name + " --" + option.name +
                    "\") COMPREPLY=($(compgen -f -- \"$cur\")); return ;;\n";
                continue;
            }
            if (option.choices.empty()) {
                continue;
            }
            script += "        \"" + command.name + " --" + option.name + "\")";
            if (option.narrowedBy.empty()) {
                script += " words=(" + Words(option.choices) + ") ;;\n";
                continue;
            }
            // Only the words the other option's value allows, once it is typed.
            std::string cases;
            for (const auto& [word, narrowed] : option.wordsFor) {
                cases += "                " + Quoted(word) + ") words=(" + Words(narrowed) + ") ;;\n";
            }
            script += "\n            case \"$(_zandrevio_calc_value --" + option.narrowedBy + ")\" in\n" + cases +
                "                *) words=(" + Words(option.choices) + ") ;;\n            esac ;;\n";
        }
    }
    script += "        \"table --format\") words=(text csv markdown json) ;;\n"
              "        \"cables --impedance\") words=(50 75) ;;\n"
              "        \"bands --standard\") words=(" +
        Words(BandStandardWords()) +
        ") ;;\n"
        "        \"batch \"*) COMPREPLY=($(compgen -f -- \"$cur\")); return ;;\n"
        "        *)\n"
        "            case $command in\n"
        "                \"\") words=($commands " +
        kGlobalOptions + ") ;;\n";
    for (const Command& command : Commands()) {
        std::string options;
        for (const OptionInfo& option : command.options) {
            if (option.name != "value") {
                options += "--" + option.name + " ";
            }
        }
        script += "                " + command.name + ") words=(" + options + "--help) ;;\n";
    }
    script += "                convert) words=(field-strength traffic length weight --help) ;;\n"
              "                cables) words=(--impedance --help) ;;\n"
              "                bands) words=(--standard --help) ;;\n"
              "                batch) words=(- --help) ;;\n"
              "                table) words=(" +
        Words(TableModelWords()) +
        " --channels --traffic --gos --format --recall --handling-time --target-time --service-level --time "
        "--location --availability --help) ;;\n"
        "            esac ;;\n"
        "    esac\n"
        "    local word\n"
        "    COMPREPLY=()\n"
        "    for word in \"${words[@]}\"; do\n"
        "        if [[ $word == \"$cur\"* ]]; then\n"
        "            COMPREPLY+=(\"$(printf '%q' \"$word\")\")\n"
        "        fi\n"
        "    done\n"
        "}\n"
        "complete -F _zandrevio_calc zandrevio-calc\n";
    return script;
}

std::string ManualPage(const std::string& page)
{
    std::string options = ".SH OPTIONS OF EACH SUBCOMMAND\n"
                          "An option without a start value is one of the alternatives its subcommand takes.\n";
    for (const Command& command : Commands()) {
        const std::string name = Typed(command.name);
        options += ".SS " + Roff(command.name.rfind("convert-", 0) == 0 ? "convert " + name : name) + "\n";
        options += Roff(command.summary) + ".\n";
        for (const OptionInfo& option : command.options) {
            options += ".TP\n" +
                (option.name == "value" ? std::string("\\fIVALUE\\fR") : "\\fB\\-\\-" + Roff(option.name) + "\\fR") +
                "\n" + Roff(option.help);
            if (!option.choices.empty()) {
                std::string words;
                for (const std::string& choice : option.choices) {
                    words += (words.empty() ? "" : ", ") + Roff(choice);
                }
                options += ": one of " + words;
            }
            if (!option.start.empty()) {
                options += " (start: " + Roff(option.start) + ")";
            }
            options += ".\n";
        }
        std::string results;
        for (const std::string& result : command.results) {
            results += (results.empty() ? "" : ", ") + Roff(result);
        }
        options += ".TP\nResults\n" + results + ".\n";
    }
    const std::string marker = "@SUBCOMMAND OPTIONS@\n";
    std::string manual = page;
    const std::size_t at = manual.find(marker);
    if (at != std::string::npos) {
        manual.replace(at, marker.size(), options);
    }
    return manual;
}

} // namespace zandrevio::cli
