#include "app/main/ProgramLinks.h"

#include "platform/core/Exception.h"
#include "platform/core/Path.h"
#include "platform/core/Process.h"

std::function<void(const std::string& ATarget)> DocumentOpener = [](const std::string& ATarget) {
    OpenDocument(ATarget);
};

std::string HelpPageFile() { return ProgramFolder() + "help.html"; }

void OpenQuietly(const std::string& ATarget)
{
    if (!DocumentOpener)
        return;
    try {
        DocumentOpener(ATarget);
    } catch (const Exception&) {
        // No opener on this desktop, or the target is gone: nothing to show.
    }
}

void OpenHelpPage() { OpenQuietly(HelpPageFile()); }
