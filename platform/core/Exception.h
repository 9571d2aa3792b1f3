#pragma once
#include <stdexcept>
#include <string>

// Base of every error the system raises on purpose; caught at the task or
// handler boundary, where its Message() is shown or logged.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

// A text that is not a valid number, date or other value.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// An index outside a list's bounds.
class EListError : public Exception {
public:
    using Exception::Exception;
};

// An invalid or duplicate component name.
class EComponentError : public Exception {
public:
    using Exception::Exception;
};

// A thread that cannot be started, waited for or given its priority.
class EThreadError : public Exception {
public:
    using Exception::Exception;
};

// A call into the operating system that failed; the message carries its reason.
class EOSError : public Exception {
public:
    using Exception::Exception;
};

// File and stream errors: opening, creating, reading (also short reads) and writing.
class EInOutError : public Exception {
public:
    using Exception::Exception;
};
class EStreamError : public Exception {
public:
    using Exception::Exception;
};
class EFOpenError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EFCreateError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EReadError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

// A broken internal invariant that input can cause; never an assert.
class EAssertionFailed : public Exception {
public:
    using Exception::Exception;
};

// A call that is not valid in the object's current state.
class EInvalidOperation : public Exception {
public:
    using Exception::Exception;
};

// A loaded library or entry point that is missing.
class EExternalException : public Exception {
public:
    using Exception::Exception;
};
