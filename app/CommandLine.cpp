#include "app/CommandLine.h"

std::vector<std::wstring> SplitCommandLinePaths(std::wstring_view rest)
{
    std::vector<std::wstring> paths;
    while (!rest.empty()) {
        const size_t separator = rest.find_first_of(L"\" ");
        std::wstring_view path;
        if (separator == std::wstring_view::npos) {
            path = rest;
            rest = {};
        } else if (rest[separator] == L'"') {
            // Text before the opening quote is dropped.
            const size_t closing = rest.find(L'"', separator + 1);
            if (closing == std::wstring_view::npos) {
                path = rest.substr(separator + 1);
                rest = {};
            } else {
                path = rest.substr(separator + 1, closing - separator - 1);
                rest = rest.substr(closing + 1);
            }
        } else {
            path = rest.substr(0, separator);
            rest = rest.substr(separator + 1);
        }
        if (!path.empty())
            paths.emplace_back(path);
    }
    return paths;
}

std::wstring_view CommandLineArguments(std::wstring_view commandLine)
{
    size_t position = 0;
    if (!commandLine.empty() && commandLine[0] == L'"') {
        const size_t closing = commandLine.find(L'"', 1);
        position = closing == std::wstring_view::npos ? commandLine.size() : closing + 1;
    } else {
        while (position < commandLine.size() && commandLine[position] != L' ' &&
               commandLine[position] != L'\t')
            ++position;
    }
    while (position < commandLine.size() &&
           (commandLine[position] == L' ' || commandLine[position] == L'\t'))
        ++position;
    return commandLine.substr(position);
}
