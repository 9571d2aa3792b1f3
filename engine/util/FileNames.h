#pragma once
#include <string>

// File names reach the media libraries byte-exact: Linux names are bytes
// already. The one rewrite: a relative name whose text before its first ":"
// (with no "/" before it) looks like a protocol, such as "a:b.avi", would be
// taken by the libraries as a protocol name, so it goes in as "file:a:b.avi"
// and comes back without that prefix. Names of the known protocols ("http:",
// "stream:", ...) pass unchanged.

// True when the name is "unicode:utf8:" followed by at least one byte.
bool IsUnicodeName(const std::string& AName);
std::string FileNameToAV(const std::string& AFileName);
std::string AVToFileName(const std::string& AName);
// The local file a name opens, for the checks made before writing it; empty
// for a name of another protocol ("pipe:1", "http://...").
std::string LocalFileOf(const std::string& AFileName);
// The libraries of today open any byte name with their own file protocol:
// there is nothing to register.
void RegisterUnicodeProtocol();
