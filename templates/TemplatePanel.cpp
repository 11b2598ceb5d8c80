#include "templates/TemplatePanel.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "resource.h"
#include "templates/ByteText.h"
#include "templates/ExifRowText.h"
#include "templates/FileAttributes.h"
#include "templates/FileTimes.h"
#include "templates/LocalDateTimeConvert.h"
#include "templates/LocalTimeZone.h"
#include "templates/VariableTexts.h"

namespace {

constexpr wchar_t kCreatedRow[] = L"File created time";
constexpr wchar_t kModifiedRow[] = L"File last modified time";
constexpr wchar_t kAccessedRow[] = L"File last accessed time";

constexpr wchar_t kTimeHelp[] =
    L"Please use the command combo box above to specify how you like to change the date time.";
constexpr wchar_t kAttributeHelp[] = L"Please select the \"Yes\" or \"No\" above to set the file attribute.";
constexpr wchar_t kNormalHelp[] = L" Change this attribute will reset all other file attributes to \"No\".";

// The editor stops this far above the byte preview, leaving room for the
// label and the "Convert text to bytes" button.
constexpr int kEditorGapAbovePreview = 31;

bool IsFileCategory(PropertyCategory category)
{
    return category == PropertyCategory::FileDateTime || category == PropertyCategory::FileAttributes;
}

// The text map of a metadata category other than EXIF; nullptr for the rest.
ValueMap* TextMapOf(PropertySet& set, PropertyCategory category)
{
    switch (category) {
    case PropertyCategory::DocumentSummary: return &set.docSummaryValues;
    case PropertyCategory::Mp3Id3: return &set.id3Values;
    case PropertyCategory::AviInfo: return &set.aviValues;
    default: return nullptr;
    }
}

// The style bit rather than IsWindowVisible, so that the answer does not
// depend on whether the dialog itself is shown yet.
bool HasVisibleStyle(const CWindow& window)
{
    return (::GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

std::wstring ItemText(const CWindow& control, UINT lengthMessage, UINT textMessage, int index)
{
    const LRESULT length = control.Send(lengthMessage, index);
    if (length < 0)
        return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied = control.Send(textMessage, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

}  // namespace

CTemplatePanel::CTemplatePanel(CDialog& dialog, PropertySet& templateSet,
                               std::function<std::wstring()> selectionMarkPath, BackendLookup backends)
    : dialog_(dialog),
      template_(templateSet),
      selectionMarkPath_(std::move(selectionMarkPath)),
      backends_(std::move(backends))
{
}

void CTemplatePanel::Attach()
{
    SetEditorReadOnly(true);
    // A fixed pattern with a four-digit year, whatever the regional settings.
    Item(IDC_DATE_PICKER).Send(DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(L"MM/dd/yyyy"));
    Item(IDC_TIME_PICKER).Send(DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(L"HH:mm:ss"));

    dialog_.OnCommand(IDC_CATEGORY_LIST, LBN_SELCHANGE, [this] { OnCategorySelected(); });
    dialog_.OnCommand(IDC_PROPERTY_LIST, LBN_SELCHANGE, [this] { OnPropertyRowSelected(); });
    dialog_.OnCommand(IDC_VALUE_EDITOR, EN_CHANGE, [this] { OnEditorChanged(); });
    dialog_.OnCommand(IDC_VALUE_EDITOR, EN_KILLFOCUS, [this] { CommitEditor(); });
    dialog_.OnCommand(IDC_CONVERT_TO_BYTES, BN_CLICKED, [this] { OnConvertToBytes(); });
    dialog_.OnCommand(IDC_COMMAND_COMBO, CBN_SELCHANGE, [this] { OnCommandChosen(); });
    dialog_.OnCommand(IDC_COMMAND_COMBO, CBN_KILLFOCUS, [this] { OnCommandChosen(); });
    dialog_.OnCommand(IDC_ADD_VARIABLE, BN_CLICKED, [this] { OnAddVariable(); });
    dialog_.OnCommand(IDC_RADIO_YES, BN_CLICKED, [this] { ApplyAttributeRadio(true); });
    dialog_.OnCommand(IDC_RADIO_NO, BN_CLICKED, [this] { ApplyAttributeRadio(false); });
    dialog_.OnCommand(IDC_ADD_PROPERTY, BN_CLICKED, [this] { OnAddProperty(); });
    dialog_.OnCommand(IDC_REMOVE_PROPERTY, BN_CLICKED, [this] { OnRemoveProperty(); });
    // The date is taken when its calendar closes, the time on every step.
    dialog_.OnNotify(IDC_DATE_PICKER, DTN_CLOSEUP, [this](NMHDR*) -> LRESULT {
        OnPickerChanged();
        return 0;
    });
    dialog_.OnNotify(IDC_TIME_PICKER, DTN_DATETIMECHANGE, [this](NMHDR*) -> LRESULT {
        OnPickerChanged();
        return 0;
    });
}

PropertyCategory CTemplatePanel::SelectedCategory() const
{
    const CWindow list = Item(IDC_CATEGORY_LIST);
    const LRESULT selected = list.Send(LB_GETCURSEL);
    if (selected == LB_ERR)
        return PropertyCategory::None;
    return CategoryFromText(ItemText(list, LB_GETTEXTLEN, LB_GETTEXT, static_cast<int>(selected)));
}

void CTemplatePanel::OnCategorySelected()
{
    ShowBytePreview(false);

    // The row shown by the load appears before the command combo is refilled.
    const std::wstring path = selectionMarkPath_ ? selectionMarkPath_() : std::wstring();
    if (!path.empty())
        LoadTemplateFromFile(path);

    const CWindow propertyCombo = Item(IDC_TEMPLATE_COMBO);
    propertyCombo.Send(CB_RESETCONTENT);

    const PropertyCategory category = SelectedCategory();
    const bool fileCategory = IsFileCategory(category);
    // A read-only EXIF value shown by the load above stays read-only.
    SetEditorReadOnly(fileCategory || CurrentRowIsReadOnlyExif());
    for (const int id : {IDC_TEMPLATE_COMBO, IDC_ADD_PROPERTY, IDC_REMOVE_PROPERTY})
        Item(id).Enable(!fileCategory);

    const bool times = category == PropertyCategory::FileDateTime;
    const bool attributes = category == PropertyCategory::FileAttributes;
    Item(IDC_RADIO_YES).Show(attributes);
    Item(IDC_RADIO_NO).Show(attributes);
    Item(IDC_DATE_PICKER).Show(times);
    Item(IDC_TIME_PICKER).Show(times);
    Item(IDC_COMMAND_COMBO).Show(!attributes);
    Item(IDC_ADD_VARIABLE).Show(!fileCategory);

    const CWindow commandCombo = Item(IDC_COMMAND_COMBO);
    commandCombo.Send(CB_RESETCONTENT);
    auto fill = [&](const auto& items) {
        for (const std::wstring_view item : items)
            commandCombo.Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::wstring(item).c_str()));
    };
    if (times) {
        fill(kTimeCommandItems);
        Item(IDC_DATE_PICKER).Enable(false);
        Item(IDC_TIME_PICKER).Enable(false);
    } else {
        fill(kVariableItems);
    }

    if (CategoryBackend* backend = fileCategory ? nullptr : backends_(category)) {
        for (const std::wstring& name : backend->AddablePropertyNames())
            propertyCombo.Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
}

void CTemplatePanel::LoadTemplateFromFile(const std::wstring& path)
{
    const int remembered = CurrentRow();
    ClearForNoSelection();

    const PropertyCategory category = SelectedCategory();
    switch (category) {
    case PropertyCategory::FileDateTime:
        ReadFileTimes(path, &template_.created, &template_.modified, &template_.accessed);
        for (const wchar_t* row : {kCreatedRow, kModifiedRow, kAccessedRow})
            AddRow(row);
        break;
    case PropertyCategory::FileAttributes:
        template_.attributes = ::GetFileAttributesW(path.c_str());
        for (const AttributeRow& row : kAttributeRows)
            AddRow(std::wstring(row.name));
        break;
    case PropertyCategory::PictureExif:
        if (CategoryBackend* backend = backends_(category)) {
            backend->ReadValues(path, template_);
            for (const auto& entry : template_.exifValues)
                AddRow(backend->RowText(entry.first));
        } else {
            template_.exifValues.clear();
        }
        break;
    case PropertyCategory::DocumentSummary:
    case PropertyCategory::Mp3Id3:
    case PropertyCategory::AviInfo: {
        ValueMap& values = *TextMapOf(template_, category);
        if (CategoryBackend* backend = backends_(category)) {
            backend->ReadValues(path, template_);
            // Text values are listed under their own names, which the
            // editor's commits use as keys.
            for (const auto& entry : values)
                AddRow(entry.first);
        } else {
            values.clear();
        }
        break;
    }
    case PropertyCategory::None:
        break;
    }

    const CWindow list = Item(IDC_PROPERTY_LIST);
    if (remembered >= 0 && remembered < static_cast<int>(list.Send(LB_GETCOUNT))) {
        list.Send(LB_SETSEL, TRUE, remembered);
        list.Send(LB_SETCARETINDEX, remembered, FALSE);
        OnPropertyRowSelected();
    }
}

void CTemplatePanel::ClearForNoSelection()
{
    Item(IDC_PROPERTY_LIST).Send(LB_RESETCONTENT);
    Item(IDC_VALUE_EDITOR).SetText(L"");
    Item(IDC_BYTE_PREVIEW).SetText(L"");
}

void CTemplatePanel::OnPropertyRowSelected()
{
    const int row = CurrentRow();
    if (row < 0)
        return;
    const PropertyCategory category = SelectedCategory();
    SetEditorReadOnly(IsFileCategory(category));

    const std::wstring rowText = RowText(row);
    const CWindow editor = Item(IDC_VALUE_EDITOR);
    const CWindow help = Item(IDC_HELP_LINE);
    switch (category) {
    case PropertyCategory::DocumentSummary:
    case PropertyCategory::Mp3Id3:
    case PropertyCategory::AviInfo: {
        const ValueMap& values = *TextMapOf(template_, category);
        const auto found = values.find(rowText);
        editor.SetText(found != values.end() ? found->second : std::wstring());
        CategoryBackend* backend = backends_(category);
        help.SetText(L"Data type: " + (backend ? backend->ValueTypeName(rowText) : std::wstring()));
        break;
    }
    case PropertyCategory::PictureExif:
        ShowExifRow(rowText);
        break;
    case PropertyCategory::FileDateTime:
        ShowTimeRow(rowText);
        break;
    case PropertyCategory::FileAttributes: {
        const bool set = IsAttributeRowSet(template_.attributes, rowText);
        editor.SetText(set ? L"Yes" : L"No");
        help.SetText(rowText == L"Normal" ? std::wstring(kAttributeHelp) + kNormalHelp : kAttributeHelp);
        Item(IDC_RADIO_YES).SetCheck(set ? BST_CHECKED : BST_UNCHECKED);
        Item(IDC_RADIO_NO).SetCheck(set ? BST_UNCHECKED : BST_CHECKED);
        break;
    }
    case PropertyCategory::None:
        break;
    }
}

void CTemplatePanel::ShowExifRow(const std::wstring& rowText)
{
    const ExifValue& value = template_.exifValues[ExifKeyFromRowText(rowText)];
    Item(IDC_VALUE_EDITOR).SetText(value.text);
    ShowBytePreview(IsByteNotationType(value.type));
    if (IsByteNotationType(value.type))
        RefreshBytePreview();
    Item(IDC_HELP_LINE).SetText(ExifHelpText(value));
    if (value.readOnly)
        SetEditorReadOnly(true);
}

void CTemplatePanel::ShowTimeRow(const std::wstring& rowText)
{
    if (LocalDateTime* time = TimeOf(rowText)) {
        Item(IDC_VALUE_EDITOR).SetText(FormatLocalDateTime(*time, DateTimeForm::Editor));
        SetPickers(*time);
        SelectCommandItem(*TimeCommandOf(rowText));
    }
    Item(IDC_HELP_LINE).SetText(kTimeHelp);
    const bool pickerCommand =
        Item(IDC_COMMAND_COMBO).Send(CB_GETCURSEL) == static_cast<LRESULT>(kPickerCommandIndex);
    Item(IDC_DATE_PICKER).Enable(pickerCommand);
    Item(IDC_TIME_PICKER).Enable(pickerCommand);
}

void CTemplatePanel::OnEditorChanged()
{
    if (HasVisibleStyle(Item(IDC_BYTE_PREVIEW)))
        RefreshBytePreview();
}

void CTemplatePanel::CommitEditor()
{
    const int row = CurrentRow();
    if (row < 0)
        return;
    const std::wstring rowText = RowText(row);
    if (rowText.empty())
        return;
    const PropertyCategory category = SelectedCategory();
    if (ValueMap* values = TextMapOf(template_, category))
        (*values)[rowText] = Item(IDC_VALUE_EDITOR).Text();
    else if (category == PropertyCategory::PictureExif)
        template_.exifValues[ExifKeyFromRowText(rowText)].text = Item(IDC_VALUE_EDITOR).Text();
}

void CTemplatePanel::OnConvertToBytes()
{
    const CWindow editor = Item(IDC_VALUE_EDITOR);
    editor.SetText(TextToByteString(editor.Text()));
    RefreshBytePreview();
    CommitEditor();
}

void CTemplatePanel::OnCommandChosen()
{
    const CWindow combo = Item(IDC_COMMAND_COMBO);
    const LRESULT selected = combo.Send(CB_GETCURSEL);
    if (selected == CB_ERR)
        return;
    if (SelectedCategory() != PropertyCategory::FileDateTime)
        return;

    const bool pickerCommand = selected == static_cast<LRESULT>(kPickerCommandIndex);
    Item(IDC_DATE_PICKER).Enable(pickerCommand);
    Item(IDC_TIME_PICKER).Enable(pickerCommand);

    // Reading the item, not the edit field: during CBN_SELCHANGE the field
    // still shows the previous choice.
    const std::wstring command = TimeCommandForChoice(SelectedCommandItem(), CurrentLocalTime());
    SelectCommandItem(command);
    const std::wstring chosen = SelectedCommandItem();
    for (const int row : SelectedRows())
        if (std::wstring* rowCommand = TimeCommandOf(RowText(row)))
            *rowCommand = chosen;
}

void CTemplatePanel::OnPickerChanged()
{
    if (settingPickers_ || SelectedCommandItem() != kUsePickerValue || CurrentRow() < 0)
        return;
    SYSTEMTIME date = {};
    SYSTEMTIME time = {};
    if (Item(IDC_DATE_PICKER).Send(DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&date)) != GDT_VALID ||
        Item(IDC_TIME_PICKER).Send(DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) != GDT_VALID)
        return;
    const LocalDateTime value = LocalDateTimeFromFields(
        CalendarTime{date.wYear, date.wMonth, date.wDay, time.wHour, time.wMinute, time.wSecond});
    for (const int row : SelectedRows())
        if (LocalDateTime* rowTime = TimeOf(RowText(row)))
            *rowTime = value;
    Item(IDC_VALUE_EDITOR).SetText(FormatLocalDateTime(value, DateTimeForm::Editor));
}

void CTemplatePanel::ApplyAttributeRadio(bool yes)
{
    if (CurrentRow() < 0)
        return;
    Item(IDC_VALUE_EDITOR).SetText(yes ? L"Yes" : L"No");
    std::vector<std::wstring> names;
    for (const int row : SelectedRows())
        names.push_back(RowText(row));
    template_.attributes = ApplyAttributeChoice(template_.attributes, names, yes);
}

void CTemplatePanel::OnAddVariable()
{
    const CWindow editor = Item(IDC_VALUE_EDITOR);
    if (Item(IDC_COMMAND_COMBO).Send(CB_GETCURSEL) == CB_ERR ||
        (::GetWindowLongPtrW(editor, GWL_STYLE) & ES_READONLY) != 0)
        return;
    const std::optional<VariableSnippet> snippet = SnippetForVariable(SelectedCommandItem(), CurrentLocalTime());
    if (!snippet)
        return;
    DWORD start = 0;
    DWORD end = 0;
    editor.Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    editor.Send(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(snippet->text.c_str()));
    CommitEditor();
    ::SetFocus(editor);
    editor.Send(EM_SETSEL, start + snippet->selectStart, start + snippet->selectEnd);
}

void CTemplatePanel::OnAddProperty()
{
    const PropertyCategory category = SelectedCategory();
    CategoryBackend* backend = IsFileCategory(category) ? nullptr : backends_(category);
    const CWindow combo = Item(IDC_TEMPLATE_COMBO);
    const LRESULT chosen = combo.Send(CB_GETCURSEL);
    if (backend == nullptr || chosen == CB_ERR)
        return;
    const std::wstring rowText =
        backend->AddProperty(ItemText(combo, CB_GETLBTEXTLEN, CB_GETLBTEXT, static_cast<int>(chosen)), template_);

    const CWindow list = Item(IDC_PROPERTY_LIST);
    // Names compare exactly, which LB_FINDSTRINGEXACT (any case) does not.
    LRESULT row = LB_ERR;
    const int count = static_cast<int>(list.Send(LB_GETCOUNT));
    for (int i = 0; i < count && row == LB_ERR; ++i)
        if (RowText(i) == rowText)
            row = i;
    if (row == LB_ERR)
        row = list.Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(rowText.c_str()));
    if (row < 0)
        return;
    list.Send(LB_SETSEL, FALSE, -1);
    list.Send(LB_SETSEL, TRUE, row);
    list.Send(LB_SETCARETINDEX, row, FALSE);
    OnPropertyRowSelected();
}

void CTemplatePanel::OnRemoveProperty()
{
    const PropertyCategory category = SelectedCategory();
    ValueMap* values = TextMapOf(template_, category);
    if (values == nullptr && category != PropertyCategory::PictureExif)
        return;
    std::vector<int> rows = SelectedRows();
    if (rows.empty())
        return;
    const CWindow list = Item(IDC_PROPERTY_LIST);
    // From the bottom up, so that the indexes still to go stay valid.
    std::sort(rows.rbegin(), rows.rend());
    for (const int row : rows) {
        const std::wstring rowText = RowText(row);
        if (values != nullptr)
            values->erase(rowText);
        else
            template_.exifValues.erase(ExifKeyFromRowText(rowText));
        list.Send(LB_DELETESTRING, row);
    }
    Item(IDC_VALUE_EDITOR).SetText(L"");
    Item(IDC_HELP_LINE).SetText(L"");
}

bool CTemplatePanel::CurrentRowIsReadOnlyExif() const
{
    const int row = CurrentRow();
    if (row < 0 || SelectedCategory() != PropertyCategory::PictureExif)
        return false;
    const auto found = template_.exifValues.find(ExifKeyFromRowText(RowText(row)));
    return found != template_.exifValues.end() && found->second.readOnly;
}

int CTemplatePanel::CurrentRow() const
{
    const CWindow list = Item(IDC_PROPERTY_LIST);
    const LRESULT count = list.Send(LB_GETCOUNT);
    const LRESULT caret = list.Send(LB_GETCARETINDEX);
    if (count <= 0 || caret < 0 || caret >= count || list.Send(LB_GETSEL, caret) <= 0)
        return -1;
    return static_cast<int>(caret);
}

std::wstring CTemplatePanel::RowText(int row) const
{
    return ItemText(Item(IDC_PROPERTY_LIST), LB_GETTEXTLEN, LB_GETTEXT, row);
}

std::vector<int> CTemplatePanel::SelectedRows() const
{
    const CWindow list = Item(IDC_PROPERTY_LIST);
    const LRESULT count = list.Send(LB_GETSELCOUNT);
    if (count <= 0)
        return {};
    std::vector<int> rows(static_cast<size_t>(count));
    const LRESULT got = list.Send(LB_GETSELITEMS, count, reinterpret_cast<LPARAM>(rows.data()));
    rows.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return rows;
}

void CTemplatePanel::AddRow(const std::wstring& text) const
{
    Item(IDC_PROPERTY_LIST).Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void CTemplatePanel::ShowBytePreview(bool show)
{
    for (const int id : {IDC_CONVERT_TO_BYTES, IDC_BYTE_PREVIEW, IDC_BYTE_PREVIEW_LABEL})
        Item(id).Show(show);
    const CWindow editor = Item(IDC_VALUE_EDITOR);
    const RECT preview = Item(IDC_BYTE_PREVIEW).RectInParent();
    RECT rect = editor.RectInParent();
    rect.bottom = show ? preview.top - kEditorGapAbovePreview : preview.bottom;
    editor.Move(rect);
}

void CTemplatePanel::RefreshBytePreview()
{
    Item(IDC_BYTE_PREVIEW).SetText(BytePreviewText(Item(IDC_VALUE_EDITOR).Text()));
}

void CTemplatePanel::SetEditorReadOnly(bool readOnly) const
{
    Item(IDC_VALUE_EDITOR).Send(EM_SETREADONLY, readOnly ? TRUE : FALSE);
}

void CTemplatePanel::SetPickers(const LocalDateTime& value)
{
    const std::optional<CalendarTime> fields = FieldsOf(value);
    if (!fields)
        return;
    SYSTEMTIME system = {};
    system.wYear = static_cast<WORD>(fields->year);
    system.wMonth = static_cast<WORD>(fields->month);
    system.wDay = static_cast<WORD>(fields->day);
    system.wHour = static_cast<WORD>(fields->hour);
    system.wMinute = static_cast<WORD>(fields->minute);
    system.wSecond = static_cast<WORD>(fields->second);
    settingPickers_ = true;
    Item(IDC_DATE_PICKER).Send(DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&system));
    Item(IDC_TIME_PICKER).Send(DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&system));
    settingPickers_ = false;
}

std::wstring CTemplatePanel::SelectedCommandItem() const
{
    const CWindow combo = Item(IDC_COMMAND_COMBO);
    const LRESULT selected = combo.Send(CB_GETCURSEL);
    if (selected == CB_ERR)
        return {};
    return ItemText(combo, CB_GETLBTEXTLEN, CB_GETLBTEXT, static_cast<int>(selected));
}

void CTemplatePanel::SelectCommandItem(const std::wstring& text) const
{
    const CWindow combo = Item(IDC_COMMAND_COMBO);
    LRESULT item = combo.Send(CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    if (item == CB_ERR)
        item = combo.Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    combo.Send(CB_SETCURSEL, item);
}

std::wstring* CTemplatePanel::TimeCommandOf(const std::wstring& rowText) const
{
    if (rowText == kCreatedRow)
        return &template_.createdCommand;
    if (rowText == kModifiedRow)
        return &template_.modifiedCommand;
    if (rowText == kAccessedRow)
        return &template_.accessedCommand;
    return nullptr;
}

LocalDateTime* CTemplatePanel::TimeOf(const std::wstring& rowText) const
{
    if (rowText == kCreatedRow)
        return &template_.created;
    if (rowText == kModifiedRow)
        return &template_.modified;
    if (rowText == kAccessedRow)
        return &template_.accessed;
    return nullptr;
}
