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
    // The same, after the name of the library object that logged it
    // ("mp2: Specified channel layout '5.1(side)' is not supported").
    std::string LastReason() const;

    // Takes a piece of a line, logged by the named object ("" when unnamed);
    // public for the callback.
    void Add(const std::string& APiece, const std::string& ASource = "");

private:
    TLibraryErrorCapture* FOuter = nullptr;
    std::string FLast;
    std::string FLastSource;     // who logged FLast
    std::string FPendingSource;  // who logged the line not yet ended
    std::string FPending;  // a line not yet ended
};
