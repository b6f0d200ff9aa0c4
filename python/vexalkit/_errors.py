"""The exceptions vexalkit raises for the library's failures."""

import errno

__all__ = ["Error", "NotFoundError"]


class Error(Exception):
    """A failure the library reported.

    ``code`` is the library's status code, ``message`` its text (with the file
    or entry it concerns in front), ``context`` the file or entry alone.
    """

    def __init__(self, code: int, message: str, context: str = "") -> None:
        super().__init__(code, message)
        self.code = code
        self.message = message
        self.context = context

    def __str__(self) -> str:
        return self.message

    def __reduce__(self):
        return (type(self), (self.code, self.message, self.context))


class NotFoundError(Error, FileNotFoundError):
    """A file, an archive or an entry inside an archive does not exist.

    Also a ``FileNotFoundError``: ``errno`` is ``ENOENT`` and ``filename``
    the name that was looked for.
    """

    def __init__(self, code: int, message: str, context: str = "") -> None:
        # OSError reads its arguments as (errno, strerror, filename).
        FileNotFoundError.__init__(self, errno.ENOENT, message, context or None)
        self.code = code
        self.message = message
        self.context = context
