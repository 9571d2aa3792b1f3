#pragma once
#include "platform/core/Exception.h"

// The engine's error of a conversion job: every fatal error of the option
// layer and of a run is raised as one and ends the job with its message.
class FFmpegException : public Exception {
public:
    using Exception::Exception;
};
