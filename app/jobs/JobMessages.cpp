#include "app/jobs/JobMessages.h"

void TRefusals::Add(const std::string& AFileName, const std::string& AReason) {
    std::string reason = AReason;
    const std::string prefix = AFileName + ": ";
    if (reason.compare(0, prefix.size(), prefix) == 0)
        reason.erase(0, prefix.size());
    FLines.push_back(reason.empty() ? AFileName : AFileName + " (" + reason + ")");
}

std::string TRefusals::Text() const {
    std::string text = FHeading;
    for (const std::string& line : FLines)
        text += "\n" + line;
    return text;
}

std::string JobFailedText(const std::string& AInputFile, const std::string& AOutputFile, const std::string& AReason) {
    return "转换失败：" + AInputFile + "\n输出文件：" + AOutputFile + "\n" + AReason;
}

std::string StoppedProgressText(const std::string& ALastProgress) {
    if (ALastProgress.empty() || ALastProgress.back() != '%')
        return "已停止";
    return "已停止 " + ALastProgress;
}
