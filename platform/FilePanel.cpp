#include "FilePanel.h"

#include "Dispatch.h"
#include "Window.h"
#include "WindowImpl.h"

#include <QDir>
#include <QFileDialog>

using namespace platform_detail;

BFilePanel::BFilePanel(BWindow* window, const char* suggestedName)
    : fWindow(window), fSuggestedName(suggestedName != nullptr ? suggestedName : "")
{
}

// Qt's own panel rather than the desktop's: it looks the same everywhere and
// needs no portal or session bus. Replacing an existing file is confirmed in
// the panel itself.
bool BFilePanel::Go(std::string& path)
{
    QWidget* parent = fWindow != nullptr ? fWindow->Impl().widget.data() : nullptr;
    QFileDialog panel(parent, QStringLiteral("Save"), QDir::currentPath(),
                      QStringLiteral("PNG images (*.png)"));
    panel.setAcceptMode(QFileDialog::AcceptSave);
    panel.setFileMode(QFileDialog::AnyFile);
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
