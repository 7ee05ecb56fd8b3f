#include "Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include <string>

namespace {

BClipboard gSystemClipboard("system");

} // namespace

BClipboard* be_clipboard = &gSystemClipboard;

BClipboard::BClipboard(const char*) : fData(0)
{
}

bool BClipboard::Lock()
{
    fLock.lock();
    return true;
}

void BClipboard::Unlock()
{
    fLock.unlock();
}

status_t BClipboard::Clear()
{
    fData = BMessage(0);
    return B_OK;
}

status_t BClipboard::Commit()
{
    std::string text;
    if (fData.FindData("text/plain", 0, &text) != B_OK)
        return B_ERROR;
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
    return B_OK;
}

BMessage* BClipboard::Data()
{
    return &fData;
}
