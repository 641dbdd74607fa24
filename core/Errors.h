#pragma once

#include <stdexcept>
#include <string>

// Errors are exceptions. One that escapes an event handler is caught by the
// application's event loop and shown in a message box with its text.
namespace lirasto {

class Exception : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// An index outside a list's bounds: "List index out of bounds (%d)".
class EListError : public Exception
{
public:
    using Exception::Exception;
};

// An index outside a table's declared range, or a value outside its type's range.
class ERangeError : public Exception
{
public:
    using Exception::Exception;
};

// Integer arithmetic whose result does not fit its type.
class EIntOverflow : public Exception
{
public:
    using Exception::Exception;
};

// Stored data that cannot be read: a short, damaged or malformed stream.
class EReadError : public Exception
{
public:
    using Exception::Exception;
};

// Text that is not a valid number, or a value that cannot be converted.
class EConvertError : public Exception
{
public:
    using Exception::Exception;
};

// A programming error that the program checks for, such as an unpaired EndUpdate.
class EAssertionFailed : public Exception
{
public:
    using Exception::Exception;
};

inline std::string ListIndexMessage(long long index)
{
    return "List index out of bounds (" + std::to_string(index) + ")";
}

} // namespace lirasto
