#include "app/jobs/SystemAfterDone.h"

#include "platform/core/Exception.h"
#include "platform/core/Path.h"
#include "platform/core/Process.h"
#include "platform/core/Sound.h"

std::string TSystemAfterDone::PromptSoundFile() {
    return ProgramFolder() + "sounds/ring001.wav";
}

void TSystemAfterDone::OpenFolder(const std::string& AFolder) {
    try {
        OpenDocument(AFolder);
    } catch (const Exception& e) {
        Report(e.Message());
    }
}

void TSystemAfterDone::PowerOff() {
    try {
        ::PowerOff();
    } catch (const Exception& e) {
        Report(e.Message());
    }
}

void TSystemAfterDone::PlayPromptSound() {
    const std::string file = PromptSoundFile();
    if (!FileExists(file))
        return;
    try {
        PlaySoundAsync(file);
    } catch (const Exception& e) {
        Report(e.Message());
    }
}

void TSystemAfterDone::Report(const std::string& AReason) const {
    if (OnError)
        OnError(AReason);
}
