#include "core/ChosenPath.h"

std::wstring RepairChosenPath(const std::wstring& path)
{
    const bool network = path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\';
    std::wstring repaired = network ? L"\\\\" : L"";
    repaired.reserve(path.size());
    // Pairs are replaced left to right without looking at the result again,
    // so three backslashes become two.
    for (size_t i = network ? 2 : 0; i < path.size(); ++i) {
        repaired.push_back(path[i]);
        if (path[i] == L'\\' && i + 1 < path.size() && path[i + 1] == L'\\')
            ++i;
    }
    return repaired;
}

std::wstring FolderOfPath(const std::wstring& path)
{
    const size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}
