#pragma once
#include <sys/types.h>

// A private X server: Xvfb picks a free display number itself and writes it
// to a pipe (-displayfd), so that several programs starting at once never
// race for the same display; it is kept from resetting when its last client
// leaves, and never outlives this process. Sets DISPLAY; the server's process
// id, or 0 when it cannot be started.
pid_t StartXvfb();
void StopXvfb(pid_t AServer);
