#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "backends/CategoryBackend.h"
#include "core/PropertyCategory.h"
#include "core/PropertySet.h"
#include "ui/dialogs/Dialog.h"

// The STEP 2 panel of the main window: the category list, the property list
// and the value editor with the controls each category needs. It shows the
// template one category at a time and writes every edit into it. It owns no
// window; it takes the notifications of its controls from the dialog.
class CTemplatePanel {
public:
    using BackendLookup = std::function<CategoryBackend*(PropertyCategory)>;

    // `selectionMarkPath` gives the path of the file view's row at the
    // selection mark, or empty text when there is none.
    CTemplatePanel(CDialog& dialog, PropertySet& templateSet, std::function<std::wstring()> selectionMarkPath,
                   BackendLookup backends = BackendFor);
    CTemplatePanel(const CTemplatePanel&) = delete;
    CTemplatePanel& operator=(const CTemplatePanel&) = delete;

    // Call from the dialog's OnInitDialog once the category list is filled:
    // sets the initial state of the controls and registers the handlers.
    void Attach();

    // Loads the selected category's template from the file and refills the
    // property list, keeping the current row's index.
    void LoadTemplateFromFile(const std::wstring& path);

    // Empties the property list, the value editor and the byte preview.
    void ClearForNoSelection();

    PropertyCategory SelectedCategory() const;

private:
    CWindow Item(int id) const { return dialog_.Item(id); }

    void OnCategorySelected();
    void OnPropertyRowSelected();
    void ShowExifRow(const std::wstring& rowText);
    void ShowTimeRow(const std::wstring& rowText);
    void OnEditorChanged();
    void CommitEditor();
    void OnConvertToBytes();
    void OnCommandChosen();
    void OnPickerChanged();
    void ApplyAttributeRadio(bool yes);
    void OnAddVariable();
    void OnAddProperty();
    void OnRemoveProperty();

    // Index of the row with the caret when that row is selected; -1 otherwise.
    int CurrentRow() const;
    bool CurrentRowIsReadOnlyExif() const;
    std::wstring RowText(int row) const;
    std::vector<int> SelectedRows() const;
    void AddRow(const std::wstring& text) const;

    // Byte preview, its button and label shown with the editor above them,
    // or hidden with the editor reaching down over their place.
    void ShowBytePreview(bool show);
    void RefreshBytePreview();
    void SetEditorReadOnly(bool readOnly) const;
    void SetPickers(const LocalDateTime& value);
    std::wstring SelectedCommandItem() const;
    // Selects the first command item that begins with `text` (any case),
    // appending `text` when none does.
    void SelectCommandItem(const std::wstring& text) const;
    std::wstring* TimeCommandOf(const std::wstring& rowText) const;
    LocalDateTime* TimeOf(const std::wstring& rowText) const;

    CDialog& dialog_;
    PropertySet& template_;
    std::function<std::wstring()> selectionMarkPath_;
    BackendLookup backends_;
    // Set while the panel itself moves the pickers, so that their change
    // notifications are not taken for the user's.
    bool settingPickers_ = false;
};
