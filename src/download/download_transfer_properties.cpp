#include "download/download_transfer.h"

// The transfer's share of the control's property bag; keys are the property names.
namespace {

void writeUnlessDefault(QVariantMap &bag, const QString &key, const QVariant &value, const QVariant &defaultValue)
{
    if (value != defaultValue)
        bag.insert(key, value);
}

} // namespace

void DownloadTransfer::writeProperties(QVariantMap &bag) const
{
    writeUnlessDefault(bag, "FileURL", fileUrl_, QString());
    writeUnlessDefault(bag, "SaveFilePath", saveFilePath_, QString());
    writeUnlessDefault(bag, "FailOnRedirect", failOnRedirect_, true);
    writeUnlessDefault(bag, "RenameOnRedirect", renameOnRedirect_, true);
    writeUnlessDefault(bag, "ShowProgress", showProgress_, true);
}

void DownloadTransfer::readProperties(const QVariantMap &bag)
{
    fileUrl_ = bag.value("FileURL", QString()).toString();
    saveFilePath_ = bag.value("SaveFilePath", QString()).toString();
    failOnRedirect_ = bag.value("FailOnRedirect", true).toBool();
    renameOnRedirect_ = bag.value("RenameOnRedirect", true).toBool();
    showProgress_ = bag.value("ShowProgress", true).toBool();
}
