#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/BatchPanel.h"
#include "app/FileListPanel.h"
#include "app/MainLayout.h"
#include "core/FileList.h"
#include "core/OriginalValueStore.h"
#include "core/PropertyCategory.h"
#include "core/PropertySet.h"
#include "templates/TemplatePanel.h"
#include "ui/controls/GdiObjects.h"
#include "ui/controls/ToolTip.h"
#include "ui/dialogs/Dialog.h"
#include "ui/dialogs/EscapeKeyFilter.h"

// The main window: a modal dialog that owns the file list, the template and
// the values kept for Undo, and lays out its controls as it is resized.
class CMainDlg : public CDialog {
public:
    // `commandLine` is the text after the program name.
    explicit CMainDlg(std::wstring commandLine);
    ~CMainDlg() override;

    static constexpr int kMinTrackWidth = 900;
    static constexpr int kMinTrackHeight = 710;

    // Shared data (see core/).
    void AddPath(const std::wstring& path) { fileList_.AddPath(path); }
    void RebuildFileView() { fileListPanel_.RebuildFileView(); }
    void ClearOriginalValues() { originalValues_.Clear(); }
    std::wstring SelectedCategoryText() const;
    PropertyCategory SelectedCategory() const { return CategoryFromText(SelectedCategoryText()); }

    const FileList& Files() const { return fileList_; }
    PropertySet& Template() { return template_; }
    OriginalValueStore& OriginalValues() { return originalValues_; }
    const std::wstring& DataFolder() const { return dataFolder_; }
    int WindowWidth() const { return windowWidth_; }
    int WindowHeight() const { return windowHeight_; }
    bool Maximized() const { return maximized_ != 0; }
    const CToolTip& ToolTips() const { return toolTips_; }
    CFileListPanel& FileListPanel() { return fileListPanel_; }
    CBatchPanel& BatchPanel() { return batchPanel_; }
    CTemplatePanel& TemplatePanel() { return templatePanel_; }
    int ProcessedFiles() const { return processedFiles_; }
    const std::wstring& LastFolder() const { return lastFolder_; }
    int ThemeIndex() const { return themeIndex_; }

protected:
    BOOL OnInitDialog() override;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnUnhandledCommand(int controlId, int code) override;

private:
    void SetButtonImages();
    void InsertFileViewColumns();
    void FillCategoryList();
    void PlaceInitialWindow();
    void AddCommandLinePaths();
    void LoadSettings();
    void SaveSettings();
    void OnFileRowSelected(const std::wstring& path);
    void OnFileSelectionCleared();

    void OnSize(UINT type, int clientWidth, int clientHeight);
    void ApplyQuickViewLayout();
    void OnPaintMinimized();
    void OnDestroy();

    MainLayout CurrentLayout() const;
    void ApplyLayout(const MainLayout& layout);

    std::wstring commandLine_;

    // Shared state.
    FileList fileList_;
    PropertySet template_;
    OriginalValueStore originalValues_;
    std::wstring lastFolder_;
    std::wstring dataFolder_;
    int windowWidth_ = 800;
    int windowHeight_ = 600;
    int maximized_ = 0;
    int processedFiles_ = 0;
    int themeIndex_ = 11;

    UniqueIcon largeIcon_;
    UniqueIcon smallIcon_;
    std::vector<UniqueIcon> buttonIcons_;
    std::vector<UniqueImageList> buttonImageLists_;
    CToolTip toolTips_;
    EscapeKeyFilter escapeFilter_;
    CFileListPanel fileListPanel_;
    CTemplatePanel templatePanel_;
    CBatchPanel batchPanel_;
};
