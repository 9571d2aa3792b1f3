#pragma once
#include "platform/core/Exception.h"

// A path given to a folder control or to the namespace that names no folder,
// and a failed read of an item's details.
class EInvalidPath : public Exception {
public:
    using Exception::Exception;
};

// A namespace operation the file system refused (a folder that cannot be
// read, a rename that cannot be done); the message carries the reason.
class EShellError : public Exception {
public:
    using Exception::Exception;
};
