#include "app/output/OutputData.h"

#include "platform/core/Exception.h"

TPresetTable ReadOutputTable(std::string_view name)
{
    for (size_t i = 0; i < OutputDataFileCount; ++i)
        if (name == OutputDataFiles[i].Name)
            return ParsePresetTable(OutputDataFiles[i].Text);
    OutputTableFault(name, "is missing from the build");
}

void OutputTableFault(std::string_view table, const std::string& what)
{
    throw Exception("The output settings table " + std::string(table) + " " + what);
}
