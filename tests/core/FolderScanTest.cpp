#include <windows.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <ostream>
#include <vector>

#include "core/FolderScan.h"
#include "support/FileHelpers.h"
#include "support/UniqueHandle.h"
#include "testing/TempFolder.h"

namespace {

using Entries = std::vector<std::wstring>;

// ---- Setting up links and locked folders, on Windows and under Wine ----

bool IsWine()
{
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

// Wine's path conversions hand back strings from the process heap.
struct HeapFreer {
    void operator()(void* block) const { HeapFree(GetProcessHeap(), 0, block); }
};

// Wine's path conversions, looked up at run time (they exist only there).
std::wstring UnixPath(const std::wstring& windowsPath)
{
    using ToUnix = char*(CDECL*)(const wchar_t*);
    const auto toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix)
        return {};
    const std::unique_ptr<char, HeapFreer> unixPath(toUnix(windowsPath.c_str()));
    return unixPath ? Utf8ToWide(unixPath.get()) : std::wstring();
}

// Runs a Unix program under Wine, which starts Unix programs through
// CreateProcessW but hands back a handle that does not wait for them; so
// wait for the effect instead, for up to five seconds.
bool RunUnixProgram(const char* program, const std::vector<std::wstring>& arguments,
                    const std::function<bool()>& done)
{
    using ToDos = wchar_t*(CDECL*)(const char*);
    const auto toDos = reinterpret_cast<ToDos>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
    if (!toDos)
        return false;
    const std::unique_ptr<wchar_t, HeapFreer> application(toDos(program));
    if (!application)
        return false;

    std::wstring commandLine = L"\"" + Utf8ToWide(program) + L"\"";
    for (const std::wstring& argument : arguments)
        commandLine += L" \"" + argument + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(application.get(), commandLine.data(), nullptr, nullptr, FALSE,
                        CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process))
        return false;
    const UniqueHandle thread(process.hThread), processHandle(process.hProcess);
    for (int i = 0; i < 500 && !done(); ++i)
        Sleep(10);
    return done();
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool CanList(const std::wstring& folder)
{
    WIN32_FIND_DATAW data;
    return UniqueFindHandle(FindFirstFileW((folder + L"\\*").c_str(), &data)).IsValid();
}

enum class LinkKind { None, ReparsePoint, UnixLink };

// A folder link made for a test and removed before the temp folder is (whose
// clean-up would otherwise walk through it).
class FolderLink {
public:
    // Windows: a symbolic link (needs developer mode or administrator rights).
    // Wine 8: CreateSymbolicLinkW reports success and makes nothing, and
    // junctions are refused, so a Unix symbolic link is made instead; Wine
    // shows it as an ordinary folder, which is the loop users meet there.
    FolderLink(const std::wstring& parent, const std::wstring& name, const std::wstring& target)
        : parent_(parent), name_(name)
    {
        const std::wstring link = Path();
        const bool created = CreateSymbolicLinkW(
            link.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY | 0x2 /* ALLOW_UNPRIVILEGED_CREATE */);
        const DWORD attributes = GetFileAttributesW(link.c_str());
        if (created && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
            kind_ = LinkKind::ReparsePoint;
            return;
        }
        if (IsWine() && RunUnixProgram("/bin/ln", {L"-s", UnixPath(target), UnixUnderParent()},
                                       [&] { return Exists(link); }))
            kind_ = LinkKind::UnixLink;
    }
    ~FolderLink()
    {
        if (kind_ == LinkKind::ReparsePoint)
            RemoveDirectoryW(Path().c_str());
        else if (kind_ == LinkKind::UnixLink)
            RunUnixProgram("/bin/rm", {UnixUnderParent()}, [this] { return !Exists(Path()); });
    }
    FolderLink(const FolderLink&) = delete;
    FolderLink& operator=(const FolderLink&) = delete;

    LinkKind Kind() const { return kind_; }
    std::wstring Path() const { return parent_ + L"\\" + name_; }

private:
    // The link's own Unix path, not that of what it points to.
    std::wstring UnixUnderParent() const { return UnixPath(parent_) + L"/" + name_; }

    std::wstring parent_, name_;
    LinkKind kind_ = LinkKind::None;
};

bool SetFolderAccess(const std::wstring& folder, const wchar_t* sddl)
{
    PSECURITY_DESCRIPTOR raw = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &raw, nullptr))
        return false;
    const std::unique_ptr<void, decltype(&LocalFree)> descriptor(raw, &LocalFree);
    return SetFileSecurityW(folder.c_str(), DACL_SECURITY_INFORMATION, descriptor.get()) != FALSE;
}

// Takes away the right to list a folder for the test's duration: a denying
// ACL on Windows, Unix permissions under Wine (which keeps ACLs but does not
// enforce them).
class ListingLock {
public:
    explicit ListingLock(const std::wstring& folder) : folder_(folder)
    {
        if (IsWine())
            RunUnixProgram("/bin/chmod", {L"000", UnixPath(folder)}, [&] { return !CanList(folder); });
        else
            SetFolderAccess(folder, L"D:P(D;;FA;;;WD)");
    }
    ~ListingLock()
    {
        if (IsWine())
            RunUnixProgram("/bin/chmod", {L"755", UnixPath(folder_)}, [this] { return CanList(folder_); });
        else
            SetFolderAccess(folder_, L"D:P(A;OICI;FA;;;WD)");
    }
    ListingLock(const ListingLock&) = delete;
    ListingLock& operator=(const ListingLock&) = delete;

private:
    std::wstring folder_;
};

// ---- The scan ----

class FolderScanTest : public testing::Test {
protected:
    // f1.txt, B\x.txt, B\C\y.txt and the empty folder D.
    void MakeTree()
    {
        root_.MakeFile(L"f1.txt");
        root_.MakeFolder(L"B");
        root_.MakeFile(L"B\\x.txt");
        root_.MakeFolder(L"B\\C");
        root_.MakeFile(L"B\\C\\y.txt");
        root_.MakeFolder(L"D");
    }

    // The entries added, in the order added, relative to the root.
    Entries Scan(const std::function<ScanOptions()>& options,
                 const std::function<void(const std::wstring&)>& alsoOnAdd = nullptr)
    {
        Entries entries;
        const std::wstring prefix = root_.Path() + L"\\";
        ScanFolder(root_.Path() + L"\\*.*", options, [&](const std::wstring& path) {
            EXPECT_EQ(path.compare(0, prefix.size(), prefix), 0) << testing::PrintToString(path);
            entries.push_back(path.substr(prefix.size()));
            if (alsoOnAdd)
                alsoOnAdd(entries.back());
        });
        return entries;
    }
    Entries Scan(ScanOptions options)
    {
        return Scan([options] { return options; });
    }

    TempFolder root_{L"scan"};
};

Entries Sorted(Entries entries)
{
    std::sort(entries.begin(), entries.end());
    return entries;
}

// A folder's entry comes after everything added from inside it.
void ExpectContentBeforeFolder(const Entries& entries)
{
    for (size_t i = 0; i < entries.size(); ++i) {
        for (size_t j = i + 1; j < entries.size(); ++j)
            EXPECT_NE(entries[j].rfind(entries[i] + L"\\", 0), 0u)
                << testing::PrintToString(entries[j]) << " added after its folder";
    }
}

struct OptionCase {
    const char* name;
    ScanOptions options;
    Entries expected;  // sorted
};

void PrintTo(const OptionCase& c, std::ostream* out) { *out << c.name; }

class ScanOptionsTest : public FolderScanTest, public testing::WithParamInterface<OptionCase> {};

TEST_P(ScanOptionsTest, AddsWhatTheOptionsAsk)
{
    MakeTree();
    const Entries entries = Scan(GetParam().options);
    EXPECT_EQ(Sorted(entries), GetParam().expected);
    ExpectContentBeforeFolder(entries);
}

INSTANTIATE_TEST_SUITE_P(
    Combinations, ScanOptionsTest,
    testing::Values(
        OptionCase{"AllUnchecked", {}, {L"f1.txt"}},
        OptionCase{"IncludeDir", {.includeDir = true}, {L"B", L"D", L"f1.txt"}},
        OptionCase{"IncludeSubDir", {.includeSubDir = true}, {L"B\\C\\y.txt", L"B\\x.txt", L"f1.txt"}},
        OptionCase{"IncludeSubDirAndDir",
                   {.includeSubDir = true, .includeDir = true},
                   {L"B", L"B\\C", L"B\\C\\y.txt", L"B\\x.txt", L"D", L"f1.txt"}},
        OptionCase{"DirOnly", {.dirOnly = true}, {}},
        OptionCase{"DirOnlyAndIncludeSubDir", {.includeSubDir = true, .dirOnly = true}, {}},
        OptionCase{"DirOnlyAndIncludeDir", {.includeDir = true, .dirOnly = true}, {L"B", L"D"}},
        OptionCase{"AllChecked",
                   {.includeSubDir = true, .includeDir = true, .dirOnly = true},
                   {L"B", L"B\\C", L"D"}}),
    [](const testing::TestParamInfo<OptionCase>& info) { return std::string(info.param.name); });

TEST_F(FolderScanTest, FolderThatCannotBeSearchedAddsNothing)
{
    const std::wstring file = root_.MakeFile(L"f1.txt");
    for (const std::wstring& pattern : {root_ / L"missing\\*.*", file + L"\\*.*"}) {
        int added = 0;
        ScanFolder(pattern, [] { return ScanOptions{true, true, false}; },
                   [&](const std::wstring&) { ++added; });
        EXPECT_EQ(added, 0) << testing::PrintToString(pattern);
    }
}

TEST_F(FolderScanTest, LockedSubFolderIsSkippedAndTheScanGoesOn)
{
    MakeTree();
    const ListingLock lock(root_ / L"B");
    if (CanList(root_ / L"B"))
        GTEST_SKIP() << "B can still be listed after taking the right away (administrator or root rights?)";
    EXPECT_EQ(Sorted(Scan(ScanOptions{.includeSubDir = true, .includeDir = true})),
              (Entries{L"B", L"D", L"f1.txt"}));
}

// The check boxes may change while a long scan runs; each item sees them as
// they are when it is reached.
TEST_F(FolderScanTest, DirOnlyTickedAfterTheFirstFileStopsFiles)
{
    for (const wchar_t* name : {L"1.txt", L"2.txt", L"3.txt"})
        root_.MakeFile(name);
    ScanOptions options;
    const Entries entries = Scan([&] { return options; },
                                 [&](const std::wstring&) { options.dirOnly = true; });
    EXPECT_EQ(entries.size(), 1u);
}

TEST_F(FolderScanTest, IncludeSubDirClearedInsideTheFirstSubFolder)
{
    for (const wchar_t* name : {L"S1", L"S2", L"S3"}) {
        root_.MakeFolder(name);
        root_.MakeFile(std::wstring(name) + L"\\in.txt");
    }
    ScanOptions options{.includeSubDir = true, .includeDir = true};
    const Entries entries = Scan([&] { return options; }, [&](const std::wstring& path) {
        if (path.find(L'\\') != std::wstring::npos)
            options.includeSubDir = false;
    });
    ASSERT_EQ(entries.size(), 4u) << "one sub-folder's file and the three folders";
    EXPECT_EQ(Sorted({entries.begin() + 1, entries.end()}), (Entries{L"S1", L"S2", L"S3"}));
}

// A sub-folder's own entry comes after its content, so a box changed while
// its content was added decides whether the sub-folder itself is added.
TEST_F(FolderScanTest, IncludeDirClearedWhileTheSubFolderIsSearched)
{
    root_.MakeFolder(L"S");
    root_.MakeFile(L"S\\x.txt");
    ScanOptions options{.includeSubDir = true, .includeDir = true};
    const Entries entries = Scan([&] { return options; },
                                 [&](const std::wstring&) { options.includeDir = false; });
    EXPECT_EQ(entries, (Entries{L"S\\x.txt"}));
}

// With IncludeSubDir a link back to an enclosing folder must not lead the
// scan round and round (two such links would double the entries per level).
TEST_F(FolderScanTest, LinkToAnEnclosingFolderIsNotSearchedAgain)
{
    MakeTree();
    const FolderLink link(root_ / L"B", L"loop", root_.Path());
    if (link.Kind() == LinkKind::None)
        GTEST_SKIP() << "no folder link could be made here (on Windows: needs developer mode or "
                        "administrator rights)";
    const Entries entries = Scan(ScanOptions{.includeSubDir = true, .includeDir = true});
    EXPECT_EQ(Sorted(entries),
              (Entries{L"B", L"B\\C", L"B\\C\\y.txt", L"B\\loop", L"B\\x.txt", L"D", L"f1.txt"}));
    ExpectContentBeforeFolder(entries);
}

TEST_F(FolderScanTest, FolderLinkIsAddedButNotSearched)
{
    TempFolder elsewhere(L"target");
    elsewhere.MakeFile(L"z.txt");
    root_.MakeFile(L"f1.txt");
    const FolderLink link(root_.Path(), L"L", elsewhere.Path());
    if (link.Kind() != LinkKind::ReparsePoint)
        GTEST_SKIP() << "no reparse-point link could be made (Wine 8 has none, and shows a Unix link "
                        "as an ordinary folder; on Windows: needs developer mode or administrator rights)";
    EXPECT_EQ(Sorted(Scan(ScanOptions{.includeSubDir = true, .includeDir = true})),
              (Entries{L"L", L"f1.txt"}));
}

}  // namespace
