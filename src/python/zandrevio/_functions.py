"""Makes a Python function of every calculation the registry holds."""

import textwrap

from . import _core

_KIND_WORDS = {
    "real": "number or array of numbers",
    "whole": "whole number or array of whole numbers",
    "choice": "str",
    "text": "str",
}


def _option_line(option):
    kind = _KIND_WORDS[option["kind"]]
    if option["kind"] == "text" and option["placeholder"]:
        kind = "str, " + option["placeholder"]
    if option["repeated"]:
        kind = "list of numbers" if option["kind"] == "real" else "list of str, each " + option["placeholder"]
    text = option["caption"]
    if option["help"]:
        text += "; " + option["help"]
    if option["choices"]:
        text += ". One of: " + ", ".join(
            '"%s" (%s)' % (key, caption) for key, caption in option["choices"]
        )
    if option["start"]:
        start = option["start"]
        for key, caption in option["choices"]:
            if caption == start:
                start = key
        text += '. Start: "%s"' % start if option["choices"] else ". Start: %s" % start
    body = textwrap.fill(text, width=72, initial_indent="    ", subsequent_indent="    ")
    return "%s : %s\n%s" % (option["keyword"], kind, body)


def _docstring(description):
    lines = [description["summary"] + ".", ""]
    lines += [
        "Numbers may be NumPy arrays or lists; they broadcast together as",
        "NumPy ufuncs do, and each result is then a numpy.longdouble array of",
        "the broadcast shape. A scalar call gives Python numbers.",
        "",
    ]
    for rule in description["rules"]:
        lines.append(rule[0].upper() + rule[1:] + ".")
    if description["rules"]:
        lines.append("")
    lines += ["Parameters", "----------"]
    lines += [_option_line(option) for option in description["options"]]
    lines.append("errors : {\"raise\", \"nan\"}")
    lines.append(
        "    What a refused element does: raise zandrevio.Refused (the start of a\n"
        "    scalar call), or give NaN and its message in the result's errors (the\n"
        "    start of an array call)."
    )
    lines.append("dtype : numpy.longdouble or numpy.float64")
    lines.append(
        "    The dtype of an array call's results: numpy.longdouble (the start,\n"
        "    every digit kept) or numpy.float64 (for pandas, json and np.interp,\n"
        "    which take no extended precision)."
    )
    lines += ["", "Returns", "-------", "zandrevio.Result with the attributes"]
    for result in description["results"]:
        unit = " (%s)" % result["unit"] if result["unit"] else ""
        kind = "str" if result["text"] else "number"
        lines.append("    %s : %s, %s%s" % (result["name"], kind, result["caption"], unit))
    lines += [
        "",
        "Raises",
        "------",
        "zandrevio.Refused",
        "    An input the calculation refuses, with the window's message.",
        "TypeError, ValueError",
        "    An unknown keyword, a broken rule of alternatives, a bad choice word.",
        "",
        "Warns",
        "-----",
        "zandrevio.ValidityWarning",
        "    An input outside the range the model was made for.",
    ]
    return "\n".join(lines)


def make_function(description):
    """The Python function of one calculation of the registry."""
    keywords = [option["keyword"] for option in description["options"]] + ["errors", "dtype"]
    # The text signature help() and inspect.signature read: keywords only,
    # each None where not given.
    signature = "%s($module, /, *, %s)\n--\n\n" % (
        description["function"], ", ".join("%s=None" % keyword for keyword in keywords))
    return _core.make_function(description["run"], description["function"], signature + _docstring(description))


def make_functions():
    """Every calculation as a function, by its Python name."""
    return {d["function"]: make_function(d) for d in _core.calculations()}
