#include "FilePanel.h"

#include "Dispatch.h"
#include "Window.h"
#include "WindowImpl.h"

#include <QDir>
#include <QFileDialog>

using namespace platform_detail;

BFilePanel::BFilePanel(file_panel_mode mode, BWindow* window, const char* suggestedName,
                       const char* nameFilter)
    : fMode(mode), fWindow(window), fSuggestedName(suggestedName != nullptr ? suggestedName : ""),
      fNameFilter(nameFilter)
{
}

// Qt's own panel rather than the desktop's: it looks the same everywhere and
// needs no portal or session bus. Replacing an existing file is confirmed in
// the panel itself.
bool BFilePanel::Go(std::string& path)
{
    QWidget* parent = fWindow != nullptr ? fWindow->Impl().widget.data() : nullptr;
    const bool open = fMode == B_OPEN_PANEL;
    QFileDialog panel(parent, open ? QStringLiteral("Open") : QStringLiteral("Save"),
                      QDir::currentPath(), QString::fromStdString(fNameFilter));
    panel.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    panel.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!open)
        panel.setDefaultSuffix(QStringLiteral("png"));
    panel.setOption(QFileDialog::DontUseNativeDialog);
    panel.selectFile(QString::fromStdString(fSuggestedName));
    bool accepted = false;
    {
        // Waits in a nested event loop; meanwhile no hook of the program runs.
        HookScope scope;
        accepted = panel.exec() == QDialog::Accepted && !panel.selectedFiles().isEmpty();
    }
    if (accepted)
        path = panel.selectedFiles().constFirst().toStdString();
    return accepted;
}
