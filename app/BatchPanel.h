#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "app/FileListPanel.h"
#include "core/OriginalValueStore.h"
#include "core/PropertyCategory.h"
#include "core/PropertySet.h"
#include "ui/controls/ResultLog.h"
#include "ui/dialogs/Dialog.h"

// The STEP 3 group: Apply Changes walks the file view's rows, keeps each
// file's values for Undo, writes the template and logs one line per file;
// Undo Changes writes the kept values back.
class CBatchPanel {
public:
    struct Context {
        PropertySet& templateSet;
        OriginalValueStore& originalValues;
        int& processedFiles;
        std::function<PropertyCategory()> selectedCategory;
        std::function<int()> themeIndex;
    };

    CBatchPanel(CDialog& dialog, CFileListPanel& fileList, Context context);

    // Registers the handlers and creates the progress bar over the keep-date
    // check box; call once the dialog's controls exist.
    void Attach();

    void OnApplyChanges();
    void OnUndoChanges();
    bool IsRunning() const { return running_; }
    // Asks a running batch to end before its next file.
    void RequestStop() { SetProcessingState(false); }

    // Writes one file: the template in apply mode, the kept record in undo mode.
    bool ApplyToFile(const std::wstring& path, int position, bool undo, std::wstring& errorText);

    HWND ProgressBar() const { return progress_; }
    // Moves the progress bar's right edge (the window's layout calls this).
    void SetProgressRight(int right) const;

private:
    void SetProcessingState(bool running);
    void CaptureOriginalValues(const std::wstring& path, PropertyCategory category, bool keepDate,
                               PropertySet& record) const;
    void PumpPendingMessages() const;

    CDialog& dialog_;
    CFileListPanel& fileList_;
    Context context_;
    CResultLog log_;
    HWND progress_ = nullptr;
    bool stopFlag_ = false;
    bool running_ = false;
    // Undo puts back the values of the category the batch changed, whatever
    // is selected by then: the records hold nothing else.
    PropertyCategory undoCategory_ = PropertyCategory::None;
};
