#pragma once
// The general exception class of the libraries: a message meant for the user.
#include <stdexcept>
#include <string>

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

// An internal rule was broken (an unpaired call and the like).
class EAssertionFailed : public Exception {
public:
    using Exception::Exception;
};

// A stream could not deliver or take the bytes asked for.
class EStreamError : public Exception {
public:
    using Exception::Exception;
};

// An index outside a list.
class EListError : public Exception {
public:
    using Exception::Exception;
    static EListError IndexOutOfBounds(long long Index)
    {
        return EListError("List index out of bounds (" + std::to_string(Index) + ")");
    }
};

// A text that does not convert to the value asked for.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// A value outside the range it must lie in.
class ERangeError : public Exception {
public:
    using Exception::Exception;
};

// A deliberate stop of an operation: the caller lets it pass without showing a message.
class EAbort : public Exception {
public:
    using Exception::Exception;
};
