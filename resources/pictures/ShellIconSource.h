#pragma once

// Gives the shell namespace the program's own icons: installs a provider that
// answers each shell icon name at 16 and 32 pixels from the embedded pictures.
void InstallShellIcons();
