#pragma once
#include <string>

// Catches the error lines the media libraries log on the calling thread while
// it lives: a library that refuses something (a muxer refusing a codec at its
// header) says why only in its log. Instances nest. The catching callback
// relays every line on to the logger's own, so the log sees no difference;
// it is in force only while the logger's callback is (the loader installs it),
// and a library that loads meanwhile puts the logger's plain callback back,
// in which case nothing more is caught.
class TLibraryErrorCapture {
public:
    TLibraryErrorCapture();
    ~TLibraryErrorCapture();
    TLibraryErrorCapture(const TLibraryErrorCapture&) = delete;
    TLibraryErrorCapture& operator=(const TLibraryErrorCapture&) = delete;

    // The last error line caught, the one a library ends its refusal with;
    // empty when none.
    std::string LastLine() const;

    // Takes a piece of a line; public for the callback.
    void Add(const std::string& APiece);

private:
    TLibraryErrorCapture* FOuter = nullptr;
    std::string FLast;
    std::string FPending;  // a line not yet ended
};
