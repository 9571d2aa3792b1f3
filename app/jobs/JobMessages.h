#pragma once
#include <string>
#include <utility>
#include <vector>

// The texts the job list uses to say that a file was refused or that a job
// did not end well: every such text is made here.

inline constexpr const char* AddRefusedHeading = "以下文件无法添加：";
inline constexpr const char* StartRefusedHeading = "以下文件已无法打开，将跳过不转换：";

// The files one command refused, each with its reason, shown together in one
// message once the command is done; the command itself goes on with the next
// file.
class TRefusals {
public:
    explicit TRefusals(std::string AHeading) : FHeading(std::move(AHeading)) {}

    // A reason that starts with the file's own name has that name taken off:
    // the line names the file already.
    void Add(const std::string& AFileName, const std::string& AReason);
    bool Empty() const { return FLines.empty(); }
    int Count() const { return int(FLines.size()); }
    // The heading, then one line per file: "file (reason)".
    std::string Text() const;

private:
    std::string FHeading;
    std::vector<std::string> FLines;
};

// The warning of a job that failed: the input, the output file and the reason.
std::string JobFailedText(const std::string& AInputFile, const std::string& AOutputFile, const std::string& AReason);

// The progress column of a job that did not finish: failed, or stopped after
// the progress it showed last ("23%", "N/A" or nothing).
inline constexpr const char* FailedProgressText = "失败";
std::string StoppedProgressText(const std::string& ALastProgress);
