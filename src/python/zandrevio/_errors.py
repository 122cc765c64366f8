"""The exceptions and warnings of the package."""


class Refused(ValueError):
    """A calculation refused its inputs.

    The message is the window's text. ``field`` is the keyword of the input
    the refusal names (None where it names none); ``index`` is the element of
    an array call that was refused (None for a scalar call).
    """

    field = None
    index = None


class ValidityWarning(UserWarning):
    """An input lies outside the range a model was made for; the result is given."""
