// Profiles: selecting, exporting, importing, resetting and copying profile files,
// and the 128-byte profile blocks of the 560 family.
#include "view/myqquickview.h"

#include "device/hid_thread.h"
#include "view/file_chooser.h"
#include "view/file_replacement.h"

#include <QDebug>
#include <QFileInfo>
#include <QSettings>

namespace {
const char* const kFactoryProfileFile = "./modules/setting/pD.bin";
constexpr qint64 kMaxProfileFileBytes = 1024 * 1024;

bool profileInRange(int profile, const char* operation)
{
    if (profile >= 0 && profile < myQQuickView::kProfileCount)
        return true;
    qDebug() << operation << ": profile" << profile << "is outside 0 ..." << myQQuickView::kProfileCount - 1;
    return false;
}

bool blockInRange(uint block, const char* operation)
{
    if (block < uint(myQQuickView::kBlockCount))
        return true;
    qDebug() << operation << ": profile block" << block << "is outside 0 ..." << myQQuickView::kBlockCount - 1;
    return false;
}
} // namespace

void myQQuickView::setCurrentProfile(int profile)
{
    if (!profileInRange(profile, "setCurrentProfile"))
        return;
    currentProfile = profile;
}

void myQQuickView::saveProfile(int profile)
{
    if (!profileInRange(profile, "saveProfile"))
        return;
    const QString target = fileChooser().saveFile(this, tr("Save File"), tr("Profile(*.pf)"));
    if (target.isEmpty())
        return;
    // The export carries what was written through the handle and not yet flushed.
    QSettings* handle = profileSettings[profile];
    handle->sync();
    file_replacement::replaceWithCopy(target, handle->fileName());
}

bool myQQuickView::loadProfile(int profile)
{
    if (!profileInRange(profile, "loadProfile"))
        return false;
    const QString source = fileChooser().openFile(this, tr("Open File"), tr("Profile(*.pf)"));
    if (source.isEmpty())
        return false;
    // A profile is a few kilobytes of settings text; a file far beyond that is no
    // profile, and importing it would stall the window and bury the user's profile.
    const qint64 size = QFileInfo(source).size();
    if (size > kMaxProfileFileBytes) {
        qDebug() << "loadProfile:" << source << "has" << size << "bytes, more than a profile's"
                 << kMaxProfileFileBytes << "- not imported";
        return false;
    }
    return file_replacement::replaceSettingsFile(profileSettings[profile], source);
}

void myQQuickView::resetProfile(int profile)
{
    if (!profileInRange(profile, "resetProfile"))
        return;
    file_replacement::replaceSettingsFile(profileSettings[profile], QString::fromLatin1(kFactoryProfileFile));
}

void myQQuickView::copyProfile(int destprofile, int srcprofile)
{
    if (!profileInRange(destprofile, "copyProfile") || !profileInRange(srcprofile, "copyProfile"))
        return;
    QSettings* source = profileSettings[srcprofile];
    source->sync();
    if (destprofile == srcprofile)
        return;
    file_replacement::replaceSettingsFile(profileSettings[destprofile], source->fileName());
}

void myQQuickView::mouseReadProfile(uint profileNo)
{
    if (!blockInRange(profileNo, "mouseReadProfile"))
        return;
    if (!hidLink) {
        qDebug() << "mouseReadProfile: no device link";
        return;
    }
    // A read that fails part-way must not leave a half-overwritten block behind.
    std::array<uchar, kBlockSize> block = profileBlocks[profileNo];
    if (hidLink->hid560_8CH_readProfile(block.data(), uchar(profileNo)))
        profileBlocks[profileNo] = block;
}

void myQQuickView::mouseSetProfile(uint profileNo)
{
    if (!blockInRange(profileNo, "mouseSetProfile"))
        return;
    if (!hidLink) {
        qDebug() << "mouseSetProfile: no device link";
        return;
    }
    std::array<uchar, kBlockSize> block = profileBlocks[profileNo];
    hidLink->hid560_0CH_setProfile(block.data(), uchar(profileNo));
}

QVariant myQQuickView::mouseReadCurrentProfile()
{
    if (!hidLink) {
        qDebug() << "mouseReadCurrentProfile: no device link";
        return QVariant(0);
    }
    uchar profile = 0;
    if (!hidLink->hid560_82H_GetCurrentProfile(profile))
        return QVariant(0);
    return QVariant(int(profile));
}
