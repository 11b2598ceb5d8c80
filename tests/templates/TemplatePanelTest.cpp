#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "backends/CategoryBackend.h"
#include "resource.h"
#include "support/FileHelpers.h"
#include "templates/DateTimeText.h"
#include "templates/LocalDateTimeConvert.h"
#include "templates/TemplatePanel.h"
#include "testing/WindowTest.h"
#include "tests/templates/TemplateTestSupport.h"

using namespace templates_test;

namespace {

std::vector<std::wstring> SplitLines(const std::wstring& text)
{
    std::vector<std::wstring> lines;
    std::wstringstream stream(text);
    std::wstring line;
    while (std::getline(stream, line))
        if (!line.empty())
            lines.push_back(line);
    return lines;
}

std::vector<std::wstring> SplitTabs(const std::wstring& line)
{
    std::vector<std::wstring> fields;
    size_t start = 0;
    for (size_t tab; (tab = line.find(L'\t', start)) != std::wstring::npos; start = tab + 1)
        fields.push_back(line.substr(start, tab - start));
    fields.push_back(line.substr(start));
    return fields;
}

std::wstring ReadText(const std::wstring& path)
{
    std::string bytes;
    return ReadWholeFile(path, bytes) < 0 ? std::wstring() : Utf8ToWide(bytes);
}

// Stand-ins for the metadata readers, so that the panel's handling of
// metadata rows is driven by real files: "name<TAB>value" lines for text
// values; EXIF lines add type, length, count, read-only flag and hint.
class TextLinesBackend : public CategoryBackend {
public:
    void ReadValues(const std::wstring& path, PropertySet& target) override
    {
        target.docSummaryValues.clear();
        for (const std::wstring& line : SplitLines(ReadText(path))) {
            const std::vector<std::wstring> fields = SplitTabs(line);
            target.docSummaryValues[fields[0]] = fields.size() > 1 ? fields[1] : L"";
        }
    }
    bool WriteValues(const std::wstring&, const PropertySet&, int32_t, bool, std::wstring&) override { return false; }
    std::vector<std::wstring> AddablePropertyNames() override { return {L"Title", L"Comments", L"Author"}; }
    std::wstring AddProperty(const std::wstring& name, PropertySet& target) override
    {
        target.docSummaryValues.try_emplace(name);
        return name;
    }
    std::wstring ValueTypeName(const std::wstring&) override { return L"String"; }
};

class ExifLinesBackend : public CategoryBackend {
public:
    void ReadValues(const std::wstring& path, PropertySet& target) override
    {
        target.exifValues.clear();
        for (const std::wstring& line : SplitLines(ReadText(path))) {
            const std::vector<std::wstring> f = SplitTabs(line);
            ExifValue value;
            value.type = static_cast<uint16_t>(std::stoi(f.at(1)));
            value.length = static_cast<uint32_t>(std::stoul(f.at(2)));
            value.count = std::stoi(f.at(3));
            value.readOnly = f.at(4) == L"1";
            value.hint = f.at(5);
            value.text = f.at(6);
            target.exifValues[f[0]] = value;
        }
    }
    bool WriteValues(const std::wstring&, const PropertySet&, int32_t, bool, std::wstring&) override { return false; }
    std::vector<std::wstring> AddablePropertyNames() override { return {}; }
    std::wstring AddProperty(const std::wstring& name, PropertySet&) override { return name; }
    std::wstring RowText(const std::wstring& key) override { return key + L"(" + key.substr(11) + L")"; }
    std::wstring ValueTypeName(const std::wstring&) override { return {}; }
};

// Dialog 102 with the panel attached, as the main window sets it up.
class PanelDialog : public CDialog {
public:
    PanelDialog(PropertySet& templateSet, std::function<std::wstring()> mark, CTemplatePanel::BackendLookup backends)
        : CDialog(IDD_MAIN), panel(*this, templateSet, std::move(mark), std::move(backends))
    {
    }
    CTemplatePanel panel;

protected:
    BOOL OnInitDialog() override
    {
        for (std::wstring_view text : kCategoryTexts)
            Item(IDC_CATEGORY_LIST).Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::wstring(text).c_str()));
        panel.Attach();
        return TRUE;
    }
};

constexpr wchar_t kTimeHelp[] =
    L"Please use the command combo box above to specify how you like to change the date time.";
constexpr wchar_t kAttributeHelp[] = L"Please select the \"Yes\" or \"No\" above to set the file attribute.";

class TemplatePanelTest : public testing::Test {
protected:
    void SetUp() override
    {
        dialog_ = std::make_unique<PanelDialog>(
            template_, [this] { return markPath_; },
            [this](PropertyCategory category) -> CategoryBackend* {
                if (category == PropertyCategory::DocumentSummary)
                    return &textBackend_;
                if (category == PropertyCategory::PictureExif)
                    return &exifBackend_;
                return nullptr;
            });
        if (!dialog_->Create())
            GTEST_SKIP() << "dialog 102 could not be created (no display?)";
        ::ShowWindow(dialog_->Handle(), SW_SHOW);
        PumpMessages();
    }
    void TearDown() override
    {
        if (dialog_ && dialog_->IsWindow())
            dialog_->Destroy();
    }

    CWindow Item(int id) const { return dialog_->Item(id); }
    void Command(int id, int code) const
    {
        dialog_->Send(WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(id).Handle()));
    }
    void Notify(int id, UINT code) const
    {
        NMDATETIMECHANGE change = {};
        change.nmhdr = {Item(id).Handle(), static_cast<UINT_PTR>(id), code};
        change.dwFlags = GDT_VALID;
        dialog_->Send(WM_NOTIFY, id, reinterpret_cast<LPARAM>(&change));
    }
    void SelectCategory(PropertyCategory category) const
    {
        Item(IDC_CATEGORY_LIST).Send(LB_SETCURSEL, static_cast<WPARAM>(category));
        Command(IDC_CATEGORY_LIST, LBN_SELCHANGE);
    }
    // Selects the named rows as a click and Ctrl+clicks would, the caret on the last one.
    void SelectRows(std::initializer_list<const wchar_t*> names) const
    {
        const CWindow list = Item(IDC_PROPERTY_LIST);
        list.Send(LB_SETSEL, FALSE, -1);
        for (const wchar_t* name : names) {
            const LRESULT row = list.Send(LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name));
            ASSERT_NE(row, LB_ERR) << "no row " << name;
            list.Send(LB_SETSEL, TRUE, row);
            list.Send(LB_SETCARETINDEX, row, FALSE);
        }
        Command(IDC_PROPERTY_LIST, LBN_SELCHANGE);
    }
    void ChooseCommand(const wchar_t* item) const
    {
        const CWindow combo = Item(IDC_COMMAND_COMBO);
        const LRESULT index = combo.Send(CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(item));
        ASSERT_NE(index, CB_ERR) << "no command " << item;
        combo.Send(CB_SETCURSEL, index);
        Command(IDC_COMMAND_COMBO, CBN_SELCHANGE);
    }
    void SetPicker(int id, const SYSTEMTIME& time) const
    {
        Item(id).Send(DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
    }

    std::vector<std::wstring> Items(int id, UINT countMessage, UINT lengthMessage, UINT textMessage) const
    {
        const CWindow control = Item(id);
        std::vector<std::wstring> items;
        const LRESULT count = control.Send(countMessage);
        for (LRESULT i = 0; i < count; ++i) {
            std::wstring text(static_cast<size_t>(control.Send(lengthMessage, i)) + 1, L'\0');
            text.resize(static_cast<size_t>(control.Send(textMessage, i, reinterpret_cast<LPARAM>(text.data()))));
            items.push_back(text);
        }
        return items;
    }
    std::vector<std::wstring> Rows() const { return Items(IDC_PROPERTY_LIST, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT); }
    std::vector<std::wstring> CommandItems() const
    {
        return Items(IDC_COMMAND_COMBO, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
    }
    std::vector<std::wstring> PropertyComboItems() const
    {
        return Items(IDC_TEMPLATE_COMBO, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
    }
    std::wstring SelectedCommand() const
    {
        const LRESULT selected = Item(IDC_COMMAND_COMBO).Send(CB_GETCURSEL);
        return selected == CB_ERR ? L"" : CommandItems().at(static_cast<size_t>(selected));
    }
    std::vector<int> SelectedRowIndexes() const
    {
        std::vector<int> rows(64);
        rows.resize(static_cast<size_t>(Item(IDC_PROPERTY_LIST).Send(LB_GETSELITEMS, 64, reinterpret_cast<LPARAM>(rows.data()))));
        return rows;
    }
    std::wstring Editor() const { return Item(IDC_VALUE_EDITOR).Text(); }
    std::wstring Help() const { return Item(IDC_HELP_LINE).Text(); }
    bool Shown(int id) const { return (::GetWindowLongPtrW(Item(id), GWL_STYLE) & WS_VISIBLE) != 0; }
    bool Enabled(int id) const { return Item(id).IsEnabled(); }
    bool EditorReadOnly() const { return (::GetWindowLongPtrW(Item(IDC_VALUE_EDITOR), GWL_STYLE) & ES_READONLY) != 0; }

    // Replaces the editor's text key by key, as typing over a selection does.
    void TypeInEditor(const std::wstring& text) const
    {
        const CWindow editor = Item(IDC_VALUE_EDITOR);
        editor.Send(EM_SETSEL, 0, -1);
        editor.Send(WM_CHAR, VK_BACK);
        for (const wchar_t c : text)
            editor.Send(WM_CHAR, c);
    }

    // Moves the keyboard focus as a click on another control does; the
    // editor hears of it through EN_KILLFOCUS.
    void FocusOn(int id) const
    {
        ::SetFocus(Item(id));
        PumpMessages();
    }
    bool FocusWorks()
    {
        ::SetFocus(Item(IDC_VALUE_EDITOR));
        return ::GetFocus() == Item(IDC_VALUE_EDITOR).Handle();
    }

    TempFolder folder_{L"panel"};
    std::wstring markPath_;
    PropertySet template_;
    TextLinesBackend textBackend_;
    ExifLinesBackend exifBackend_;
    std::unique_ptr<PanelDialog> dialog_;
};

TEST_F(TemplatePanelTest, EachCategoryShowsItsControlsAndCommands)
{
    EXPECT_TRUE(EditorReadOnly()) << "read-only until a category asks for text";

    const std::vector<std::wstring> timeCommands = {
        L"Do not change", L"Use value from date time picker", L"TimeSeries", L"TimeAdjust",
        L"Use file create time", L"Use file modify time", L"Use file last access time"};
    const std::vector<std::wstring> variables = {
        L"NumberSeries", L"NumberAdjust", L"TimeSeries", L"TimeAdjust", L"Time 24H", L"Time 12H",
        L"Date long", L"Date short", L"Date YYYY-MM-DD", L"Date MM/DD/YYYY", L"Date DD/MM/YYYY",
        L"Date YYYY:MM:DD", L"OldPropertyValue", L"FileName", L"FileExtension", L"FolderName", L"Replace"};
    const struct {
        PropertyCategory category;
        bool radios, pickers, commandCombo, addVariable, editable;
        const std::vector<std::wstring>* commands;
        std::vector<std::wstring> addable;
    } cases[] = {
        {PropertyCategory::FileDateTime, false, true, true, false, false, &timeCommands, {}},
        {PropertyCategory::FileAttributes, true, false, false, false, false, &variables, {}},
        {PropertyCategory::DocumentSummary, false, false, true, true, true, &variables,
         {L"Author", L"Comments", L"Title"}},
        {PropertyCategory::PictureExif, false, false, true, true, true, &variables, {}},
        {PropertyCategory::Mp3Id3, false, false, true, true, true, &variables, {}},
        {PropertyCategory::AviInfo, false, false, true, true, true, &variables, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "category " << static_cast<int>(c.category));
        SelectCategory(c.category);
        EXPECT_EQ(dialog_->panel.SelectedCategory(), c.category);
        EXPECT_EQ(Shown(IDC_RADIO_YES), c.radios);
        EXPECT_EQ(Shown(IDC_RADIO_NO), c.radios);
        EXPECT_EQ(Shown(IDC_DATE_PICKER), c.pickers);
        EXPECT_EQ(Shown(IDC_TIME_PICKER), c.pickers);
        EXPECT_EQ(Shown(IDC_COMMAND_COMBO), c.commandCombo);
        EXPECT_EQ(Shown(IDC_ADD_VARIABLE), c.addVariable);
        EXPECT_EQ(EditorReadOnly(), !c.editable);
        for (const int id : {IDC_TEMPLATE_COMBO, IDC_ADD_PROPERTY, IDC_REMOVE_PROPERTY})
            EXPECT_EQ(Enabled(id), c.editable) << "control " << id;
        EXPECT_EQ(CommandItems(), *c.commands);
        EXPECT_EQ(Item(IDC_COMMAND_COMBO).Send(CB_GETCURSEL), CB_ERR);
        EXPECT_EQ(PropertyComboItems(), c.addable) << "only what a backend offers";
        if (c.pickers) {
            EXPECT_FALSE(Enabled(IDC_DATE_PICKER));
            EXPECT_FALSE(Enabled(IDC_TIME_PICKER));
        }
        for (const int id : {IDC_BYTE_PREVIEW, IDC_CONVERT_TO_BYTES, IDC_BYTE_PREVIEW_LABEL})
            EXPECT_FALSE(Shown(id)) << "control " << id;
    }
}

TEST_F(TemplatePanelTest, SwitchingCategoryReloadsFromTheMarkedFileOnly)
{
    const std::wstring file = folder_.MakeFile(L"a.txt");
    ASSERT_TRUE(::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    template_.id3Values[L"Title"] = L"typed earlier";

    // Before any file is selected only the controls change.
    SelectCategory(PropertyCategory::FileAttributes);
    EXPECT_TRUE(Rows().empty());

    markPath_ = file;
    SelectCategory(PropertyCategory::FileDateTime);
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"File created time", L"File last accessed time",
                                                  L"File last modified time"}));
    EXPECT_TRUE(SelectedRowIndexes().empty()) << "no current row yet, so none is chosen";
    EXPECT_EQ(Editor(), L"");

    // The current row's index carries over to the next category's list.
    SelectRows({L"File last accessed time"});
    SelectCategory(PropertyCategory::FileAttributes);
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"Archive", L"Hidden", L"Normal", L"NotContentIndexed", L"offline",
                                                  L"Read-only", L"System", L"temporary"}));
    EXPECT_EQ(SelectedRowIndexes(), std::vector<int>{1});
    EXPECT_EQ(template_.attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE),
              static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_EQ(Editor(), L"Yes");
    EXPECT_EQ(Help(), kAttributeHelp);
    EXPECT_EQ(Item(IDC_RADIO_YES).GetCheck(), BST_CHECKED);
    EXPECT_EQ(Item(IDC_RADIO_NO).GetCheck(), BST_UNCHECKED);

    // Back to the time rows: the row is shown, but the command combo, refilled
    // after the load, has no choice until a time row is clicked.
    SelectCategory(PropertyCategory::FileDateTime);
    EXPECT_EQ(SelectedRowIndexes(), std::vector<int>{1});
    EXPECT_EQ(Help(), kTimeHelp);
    EXPECT_EQ(Item(IDC_COMMAND_COMBO).Send(CB_GETCURSEL), CB_ERR);
    EXPECT_FALSE(Enabled(IDC_DATE_PICKER));

    // A category without a reader shows nothing: its map is emptied.
    SelectCategory(PropertyCategory::Mp3Id3);
    EXPECT_TRUE(Rows().empty());
    EXPECT_TRUE(template_.id3Values.empty());
    EXPECT_EQ(Editor(), L"");

    // With the file view's selection gone, the list keeps the last rows.
    SelectCategory(PropertyCategory::FileAttributes);
    markPath_.clear();
    SelectCategory(PropertyCategory::FileDateTime);
    EXPECT_EQ(Rows().size(), 8u);
    EXPECT_TRUE(Shown(IDC_DATE_PICKER));

    dialog_->panel.ClearForNoSelection();
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(Editor(), L"");
}

TEST_F(TemplatePanelTest, AttributeRadiosChangeEverySelectedRow)
{
    markPath_ = folder_.MakeFile(L"plain.txt");
    ASSERT_TRUE(::SetFileAttributesW(markPath_.c_str(), FILE_ATTRIBUTE_ARCHIVE));
    SelectCategory(PropertyCategory::FileAttributes);

    // No current row: the radios do nothing.
    Item(IDC_RADIO_YES).Send(BM_CLICK);
    EXPECT_EQ(template_.attributes & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_EQ(Editor(), L"");

    SelectRows({L"Hidden", L"System"});
    EXPECT_EQ(Editor(), L"No");
    Item(IDC_RADIO_YES).Send(BM_CLICK);
    EXPECT_EQ(Editor(), L"Yes");
    EXPECT_EQ(template_.attributes,
              static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));

    SelectRows({L"Normal"});
    EXPECT_EQ(Help(), std::wstring(kAttributeHelp) +
                          L" Change this attribute will reset all other file attributes to \"No\".");
    Item(IDC_RADIO_YES).Send(BM_CLICK);
    EXPECT_EQ(template_.attributes, static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL));

    SelectRows({L"Archive"});
    EXPECT_EQ(Editor(), L"No");
    EXPECT_EQ(Item(IDC_RADIO_NO).GetCheck(), BST_CHECKED);
    EXPECT_EQ(Help(), kAttributeHelp);

    SelectRows({L"Normal", L"Hidden"});
    Item(IDC_RADIO_NO).Send(BM_CLICK);
    EXPECT_EQ(template_.attributes, 0u);
    EXPECT_EQ(Editor(), L"No");

    // A file that vanished reads as INVALID_FILE_ATTRIBUTES: every row "Yes".
    dialog_->panel.LoadTemplateFromFile(folder_ / L"gone.txt");
    EXPECT_EQ(template_.attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(Editor(), L"Yes") << "the current row is shown again";
}

TEST_F(TemplatePanelTest, TimeRowShowsItsTimeAndCommand)
{
    REQUIRE_CENTRAL_EUROPEAN_ZONE();
    markPath_ = folder_.MakeFile(L"dated.txt");
    const FILETIME modified = UtcFileTime(2013, 6, 21, 12, 5, 9);  // 14:05:09 summer time
    ASSERT_TRUE(WriteRawTimes(markPath_, nullptr, nullptr, &modified));
    template_.accessedCommand = L"<%TimeAdjust -0:00:00:09%>";
    SelectCategory(PropertyCategory::FileDateTime);

    SelectRows({L"File last modified time"});
    EXPECT_EQ(Editor(), L"Friday, June 21, 2013 14:05:09");
    EXPECT_EQ(Help(), kTimeHelp);
    EXPECT_EQ(SelectedCommand(), L"Do not change");
    EXPECT_FALSE(Enabled(IDC_DATE_PICKER));
    SYSTEMTIME date = {};
    SYSTEMTIME time = {};
    Item(IDC_DATE_PICKER).Send(DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&date));
    Item(IDC_TIME_PICKER).Send(DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
    EXPECT_EQ((std::vector<int>{date.wYear, date.wMonth, date.wDay, time.wHour, time.wMinute, time.wSecond}),
              (std::vector<int>{2013, 6, 21, 14, 5, 9}));

    // A command that no item begins with becomes an item of its own.
    SelectRows({L"File last accessed time"});
    EXPECT_EQ(CommandItems().size(), 8u);
    EXPECT_EQ(SelectedCommand(), L"<%TimeAdjust -0:00:00:09%>");
    SelectRows({L"File last modified time"});
    SelectRows({L"File last accessed time"});
    EXPECT_EQ(CommandItems().size(), 8u) << "found again, not appended twice";
}

TEST_F(TemplatePanelTest, CommandComboSetsTheCommandOfSelectedTimeRows)
{
    markPath_ = folder_.MakeFile(L"times.txt");
    SelectCategory(PropertyCategory::FileDateTime);
    SelectRows({L"File last modified time"});

    ChooseCommand(L"TimeAdjust");
    EXPECT_EQ(template_.modifiedCommand, L"<%TimeAdjust +1:01:00:00%>");
    EXPECT_EQ(template_.createdCommand, L"Do not change");
    EXPECT_EQ(CommandItems().back(), L"<%TimeAdjust +1:01:00:00%>");
    EXPECT_EQ(SelectedCommand(), L"<%TimeAdjust +1:01:00:00%>");
    Command(IDC_COMMAND_COMBO, CBN_KILLFOCUS);
    EXPECT_EQ(CommandItems().size(), 8u) << "leaving the combo keeps its choice";

    // Each TimeSeries choice starts a new series at the moment of choosing.
    SelectRows({L"File created time", L"File last accessed time"});
    ChooseCommand(L"TimeSeries");
    const std::wstring series = template_.createdCommand;
    const std::wstring head = L"<%TimeSeries start from:";
    const std::wstring tail = L"; step:+1:01:00:00%>";
    ASSERT_EQ(series.substr(0, head.size()), head);
    ASSERT_GT(series.size(), head.size() + tail.size());
    EXPECT_EQ(series.substr(series.size() - tail.size()), tail);
    const std::wstring start = series.substr(head.size(), series.size() - head.size() - tail.size());
    const ParsedDateTime parsed = ParseDateTimeText(start);
    ASSERT_TRUE(parsed.IsDate()) << start;
    EXPECT_EQ(template_.accessedCommand, series);
    EXPECT_EQ(template_.modifiedCommand, L"<%TimeAdjust +1:01:00:00%>");
    EXPECT_EQ(CommandItems().size(), 9u);

    ChooseCommand(L"Use file create time");
    EXPECT_EQ(template_.createdCommand, L"Use file create time");
    EXPECT_FALSE(Enabled(IDC_TIME_PICKER));
    ChooseCommand(L"Use value from date time picker");
    EXPECT_TRUE(Enabled(IDC_DATE_PICKER));
    EXPECT_TRUE(Enabled(IDC_TIME_PICKER));
}

TEST_F(TemplatePanelTest, PickersSetEverySelectedTimeRow)
{
    markPath_ = folder_.MakeFile(L"picked.txt");
    SelectCategory(PropertyCategory::FileDateTime);
    const LocalDateTime accessedBefore = template_.accessed;
    const LocalDateTime modifiedBefore = template_.modified;

    SelectRows({L"File created time", L"File last modified time"});
    SYSTEMTIME picked = {};
    picked.wYear = 2013;
    picked.wMonth = 6;
    picked.wDay = 21;
    picked.wHour = 14;
    picked.wMinute = 5;
    picked.wSecond = 9;
    SetPicker(IDC_DATE_PICKER, picked);
    SetPicker(IDC_TIME_PICKER, picked);
    Notify(IDC_DATE_PICKER, DTN_CLOSEUP);
    EXPECT_EQ(template_.modified, modifiedBefore) << "only under \"Use value from date time picker\"";

    ChooseCommand(L"Use value from date time picker");
    EXPECT_EQ(template_.createdCommand, L"Use value from date time picker");
    EXPECT_EQ(template_.modifiedCommand, L"Use value from date time picker");
    SetPicker(IDC_DATE_PICKER, picked);
    SetPicker(IDC_TIME_PICKER, picked);
    Notify(IDC_DATE_PICKER, DTN_CLOSEUP);
    const LocalDateTime expected = LocalDateTimeFromFields({2013, 6, 21, 14, 5, 9});
    EXPECT_EQ(template_.created, expected);
    EXPECT_EQ(template_.modified, expected);
    EXPECT_EQ(template_.accessed, accessedBefore);
    EXPECT_EQ(Editor(), L"Friday, June 21, 2013 14:05:09");

    // The time picker counts on every change, the date picker's own changes
    // only when its calendar closes.
    picked.wHour = 9;
    SetPicker(IDC_TIME_PICKER, picked);
    Notify(IDC_TIME_PICKER, DTN_DATETIMECHANGE);
    EXPECT_EQ(template_.created, LocalDateTimeFromFields({2013, 6, 21, 9, 5, 9}));
    picked.wDay = 22;
    SetPicker(IDC_DATE_PICKER, picked);
    Notify(IDC_DATE_PICKER, DTN_DATETIMECHANGE);
    EXPECT_EQ(template_.created, LocalDateTimeFromFields({2013, 6, 21, 9, 5, 9}));
}

TEST_F(TemplatePanelTest, EditorCommitsToTheRowThatWasCurrentWhileTyping)
{
    markPath_ = folder_.MakeFile(L"doc.txt", "Author\tAnn\nTitle\tOld title\nSubject\tS\n");
    SelectCategory(PropertyCategory::DocumentSummary);
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"Author", L"Subject", L"Title"}));
    EXPECT_FALSE(EditorReadOnly());

    // No current row: leaving the editor stores nothing.
    TypeInEditor(L"stray");
    Command(IDC_VALUE_EDITOR, EN_KILLFOCUS);
    EXPECT_EQ(template_.docSummaryValues.size(), 3u);
    EXPECT_EQ(template_.docSummaryValues[L"Author"], L"Ann");

    SelectRows({L"Author", L"Title"});
    EXPECT_EQ(Editor(), L"Old title");
    EXPECT_EQ(Help(), L"Data type: String");

    if (!FocusWorks())
        GTEST_SKIP() << "the editor cannot take the keyboard focus on this display";
    TypeInEditor(L"New title");
    FocusOn(IDC_PROPERTY_LIST);  // the click on another row takes the focus first
    SelectRows({L"Subject"});
    EXPECT_EQ(template_.docSummaryValues[L"Title"], L"New title");
    EXPECT_EQ(template_.docSummaryValues[L"Author"], L"Ann") << "only the current row receives the text";
    EXPECT_EQ(Editor(), L"S");

    // Loading the file again gives the file's values back.
    dialog_->panel.LoadTemplateFromFile(markPath_);
    EXPECT_EQ(template_.docSummaryValues[L"Title"], L"Old title");
    EXPECT_EQ(SelectedRowIndexes(), std::vector<int>{1});
}

TEST_F(TemplatePanelTest, AddVariableInsertsAtTheCaretAndStores)
{
    markPath_ = folder_.MakeFile(L"vars.txt", "Title\tPhoto \n");
    SelectCategory(PropertyCategory::DocumentSummary);
    SelectRows({L"Title"});
    const CWindow editor = Item(IDC_VALUE_EDITOR);

    // Nothing chosen: nothing inserted.
    Item(IDC_ADD_VARIABLE).Send(BM_CLICK);
    EXPECT_EQ(Editor(), L"Photo ");

    editor.Send(EM_SETSEL, 6, 6);
    ChooseCommand(L"NumberSeries");
    EXPECT_EQ(Editor(), L"Photo ") << "choosing alone inserts nothing";
    Item(IDC_ADD_VARIABLE).Send(BM_CLICK);
    EXPECT_EQ(Editor(), L"Photo <%NumberSeries start from:1; step:1%>");
    EXPECT_EQ(template_.docSummaryValues[L"Title"], Editor());
    DWORD start = 0;
    DWORD end = 0;
    editor.Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(Editor().substr(start, end - start), L"1") << "the start number is ready to be typed over";

    // Inserted over a selection at the front.
    editor.Send(EM_SETSEL, 0, 5);
    ChooseCommand(L"FileName");
    Item(IDC_ADD_VARIABLE).Send(BM_CLICK);
    EXPECT_EQ(template_.docSummaryValues[L"Title"], L"<%FileName%> <%NumberSeries start from:1; step:1%>");

    // A read-only editor takes nothing.
    editor.Send(EM_SETREADONLY, TRUE);
    Item(IDC_ADD_VARIABLE).Send(BM_CLICK);
    EXPECT_EQ(template_.docSummaryValues[L"Title"], L"<%FileName%> <%NumberSeries start from:1; step:1%>");
}

TEST_F(TemplatePanelTest, PropertyButtonsAddAndRemoveTemplateRows)
{
    markPath_ = folder_.MakeFile(L"props.txt", "Author\tAnn\nTitle\tT\n");
    SelectCategory(PropertyCategory::DocumentSummary);
    const CWindow combo = Item(IDC_TEMPLATE_COMBO);

    Item(IDC_ADD_PROPERTY).Send(BM_CLICK);
    EXPECT_EQ(Rows().size(), 2u) << "nothing chosen in the property combo";

    combo.Send(CB_SETCURSEL, combo.Send(CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                        reinterpret_cast<LPARAM>(L"Comments")));
    Item(IDC_ADD_PROPERTY).Send(BM_CLICK);
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"Author", L"Comments", L"Title"}));
    EXPECT_EQ(SelectedRowIndexes(), std::vector<int>{1});
    EXPECT_EQ(template_.docSummaryValues.count(L"Comments"), 1u);
    EXPECT_EQ(Editor(), L"");

    combo.Send(CB_SETCURSEL, combo.Send(CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                        reinterpret_cast<LPARAM>(L"Author")));
    Item(IDC_ADD_PROPERTY).Send(BM_CLICK);
    EXPECT_EQ(Rows().size(), 3u) << "a property already listed is only selected";
    EXPECT_EQ(template_.docSummaryValues[L"Author"], L"Ann");
    EXPECT_EQ(Editor(), L"Ann");

    SelectRows({L"Author", L"Title"});
    Item(IDC_REMOVE_PROPERTY).Send(BM_CLICK);
    EXPECT_EQ(Rows(), std::vector<std::wstring>{L"Comments"});
    EXPECT_EQ(template_.docSummaryValues.size(), 1u);
    EXPECT_EQ(template_.docSummaryValues.count(L"Comments"), 1u);
}

TEST_F(TemplatePanelTest, ExifRowsShowTheirTypeAndByteValuesTheirPreview)
{
    markPath_ = folder_.MakeFile(
        L"photo.tif",
        "PropertyTagExifMakerNote\t7\t6\t0\t0\t\t41 00 62 00 00 00\n"
        "PropertyTagImageTitle\t2\t12\t0\t0\t\tHello world\n"
        "PropertyTagOrientation\t3\t2\t1\t1\t1 = upper left\t1\n");
    SelectCategory(PropertyCategory::PictureExif);
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"PropertyTagExifMakerNote(ExifMakerNote)",
                                                  L"PropertyTagImageTitle(ImageTitle)",
                                                  L"PropertyTagOrientation(Orientation)"}));
    const RECT preview = RectInParent(Item(IDC_BYTE_PREVIEW));
    EXPECT_EQ(RectInParent(Item(IDC_VALUE_EDITOR)).bottom, preview.bottom);

    SelectRows({L"PropertyTagExifMakerNote(ExifMakerNote)"});
    for (const int id : {IDC_BYTE_PREVIEW, IDC_CONVERT_TO_BYTES, IDC_BYTE_PREVIEW_LABEL})
        EXPECT_TRUE(Shown(id)) << "control " << id;
    EXPECT_EQ(RectInParent(Item(IDC_VALUE_EDITOR)).bottom, preview.top - 31);
    EXPECT_EQ(Item(IDC_BYTE_PREVIEW).Text(), L"A.b...");
    EXPECT_EQ(Help(), L"Data type: Undefined; Data length: 6");

    TypeInEditor(L"48 69");
    EXPECT_EQ(Item(IDC_BYTE_PREVIEW).Text(), L"Hi") << "the preview follows the typing";
    TypeInEditor(L"Hi");
    Item(IDC_CONVERT_TO_BYTES).Send(BM_CLICK);
    EXPECT_EQ(Editor(), L"48 00 69 00 00 00");
    EXPECT_EQ(Item(IDC_BYTE_PREVIEW).Text(), L"H.i...");
    EXPECT_EQ(template_.exifValues[L"PropertyTagExifMakerNote"].text, L"48 00 69 00 00 00");

    SelectRows({L"PropertyTagImageTitle(ImageTitle)"});
    EXPECT_FALSE(Shown(IDC_BYTE_PREVIEW));
    EXPECT_FALSE(Shown(IDC_CONVERT_TO_BYTES));
    EXPECT_EQ(RectInParent(Item(IDC_VALUE_EDITOR)).bottom, preview.bottom);
    EXPECT_EQ(Editor(), L"Hello world");
    EXPECT_EQ(Help(), L"Data type: ASCII; Data length: 12");
    EXPECT_FALSE(EditorReadOnly());

    SelectRows({L"PropertyTagOrientation(Orientation)"});
    EXPECT_EQ(Help(), L"Data type: Short; Number of elements: 1; 1 = upper left [Readonly]");
    EXPECT_TRUE(EditorReadOnly());
    // Coming back to it from another category (the same row index) keeps it so.
    SelectCategory(PropertyCategory::DocumentSummary);
    EXPECT_FALSE(EditorReadOnly());
    SelectCategory(PropertyCategory::PictureExif);
    ASSERT_EQ(SelectedRowIndexes(), std::vector<int>{2});
    EXPECT_TRUE(EditorReadOnly());

    // A category switch puts the editor back over the preview's place.
    SelectRows({L"PropertyTagExifMakerNote(ExifMakerNote)"});
    SelectCategory(PropertyCategory::DocumentSummary);
    EXPECT_FALSE(Shown(IDC_BYTE_PREVIEW));
    EXPECT_EQ(RectInParent(Item(IDC_VALUE_EDITOR)).bottom, preview.bottom);
}

}  // namespace
