#include "app/output/OutputData.h"

#include <string>

#include "platform/core/Exception.h"

TPresetTable ReadOutputTable(std::string_view name)
{
    for (size_t i = 0; i < OutputDataFileCount; ++i)
        if (name == OutputDataFiles[i].Name)
            return ParsePresetTable(OutputDataFiles[i].Text);
    throw Exception("The output settings table " + std::string(name) + " is missing from the build");
}
