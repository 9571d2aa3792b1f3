#pragma once
#include <string>
#include <vector>

// Opens a folder, file or link with the desktop's opener ("xdg-open"), started
// with an argument vector (never through a shell), so the target reaches it
// byte for byte. A relative path is made absolute first, so that no name
// (one starting with "-" in particular) reads as an option of the opener.
// Raises EOSError when the opener cannot be started or a local path does not
// exist; returns once the opener runs (it is reaped in the background).
void OpenDocument(const std::string& target);

// Asks the system to power off ("systemctl poweroff") and waits for its answer;
// raises EOSError when it cannot be started or refuses.
void PowerOff();

// Starts program (looked up on PATH) with argv[0] = program and the given
// arguments; returns its process id. Raises EOSError when it cannot start.
int SpawnProgram(const std::string& program, const std::vector<std::string>& arguments);
// Waits for a spawned process and returns its exit code (128 + signal when killed).
int WaitForProgram(int pid);
