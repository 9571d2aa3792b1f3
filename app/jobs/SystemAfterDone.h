#pragma once
#include <functional>
#include <string>

#include "app/jobs/JobFaces.h"

// The after-done actions on the desktop: the folder opens with the desktop's
// opener, the prompt sound "sounds/ring001.wav" beside the program plays
// without waiting (silence when it is missing), and the system is asked to
// power off. A refusal of any of them is not shown; it goes to OnError.
class TSystemAfterDone : public TAfterDoneActions {
public:
    void OpenFolder(const std::string& AFolder) override;
    void PowerOff() override;
    void PlayPromptSound() override;

    // The prompt sound's path.
    static std::string PromptSoundFile();

    std::function<void(const std::string& AReason)> OnError;

private:
    void Report(const std::string& AReason) const;
};
