#pragma once
#include <functional>
#include <string>

#include "platform/core/Exception.h"

// A source file name that no output name can be made from.
class EOutputNameError : public Exception {
public:
    using Exception::Exception;
};

using TNameTest = std::function<bool(const std::string& AFileName)>;

// How output names are made in the output folder.
struct TOutputNameRule {
    std::string Folder;        // the output folder; a trailing "/" is allowed
    bool Overwrite = false;    // "直接覆盖输出文件": an existing file keeps its name (a folder never does)
    TNameTest FileExists;      // null: the file system is asked
    // Names that jobs in the list will write; they count as taken even with
    // Overwrite on, so two jobs never write one file. May be null.
    TNameTest Reserved;
};

// The output name of a source: the folder, then the source's file name with
// its last extension replaced by ANameExt (a name without one gets ANameExt
// appended; a leading dot starts no extension). When that name is taken,
// "_1", "_2", ... go before the extension, the first free one winning.
// Raises EOutputNameError for a source without a file name.
std::string BuildOutputName(const std::string& ASourceFile, const std::string& ANameExt,
                            const TOutputNameRule& ARule);

// The extension of a file name as output names count it: from its last dot,
// empty when it has none or when that dot starts the name.
std::string NameExtensionOf(const std::string& AFileName);
