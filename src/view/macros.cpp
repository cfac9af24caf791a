// The view's macro operations: one INI file per macro under ./modules/macro/, the
// .mc exchange copies, the profile clean-up after a rename or delete, and the
// upload of an encoded macro into a device macro slot.
#include "view/myqquickview.h"

#include "device/hid_thread.h"
#include "view/file_chooser.h"
#include "view/macro_names.h"
#include "view/settings_values.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <algorithm>
#include <array>

namespace {

// Keys of a macro file.
const QString kIndexKey = QStringLiteral("config/index");
const QString kTotalKey = QStringLiteral("config/total");
const QString kRepeatKey = QStringLiteral("config/repeat");
const QString kDidKey = QStringLiteral("config/did");
const QString kActionGroup = QStringLiteral("macro");
constexpr int kNewTotal = 0;
constexpr int kNewRepeat = 1;
constexpr int kNewDid = -1;
// A corrupt total must not make a load run away; no real macro comes near this.
constexpr int kMaxLoadedActions = 10000;
const QString kAbsentAction = QStringLiteral("0");
const QString kAbsentRepeat = QStringLiteral("0");

// Keys of a profile file.
const QString kMacroKeyGroup = QStringLiteral("mouseMacroKey");
QString keyMatrixKey(int button) { return QStringLiteral("mouseKeyMatrix/%1").arg(button); }
QString macroKeyKey(int slot) { return QStringLiteral("mouseMacroKey/%1").arg(slot); }
constexpr int kProfilesFollowingMacros = 6;   // p1.bin ... p6.bin
constexpr int kButtonCount = 16;
constexpr int kMacroFunction = 4;             // key entry value 0
constexpr int kEntrySlotValue = 2;            // key entry value 2: the macro slot
constexpr int kMinEntryValues = kEntrySlotValue + 1;

// The device's macro slots.
constexpr int kMacroBlockSize = 128;
constexpr uint kLastMacroSlot = 11;
constexpr uint kSlotByteMask = 0xFF;
constexpr int kValueByteMask = 0xFF;

const char* const kOpenTitle = QT_TRANSLATE_NOOP("myQQuickView", "Open File");
const char* const kSaveTitle = QT_TRANSLATE_NOOP("myQQuickView", "Save File");
const char* const kMacroFilter = QT_TRANSLATE_NOOP("myQQuickView", "Macro(*.mc)");

// The macro name of a variant argument, or false (with a debug line) when it cannot
// be a macro file name.
bool acceptedName(const QVariant& value, const char* operation, QString& name)
{
    name = value.toString();
    if (macro_names::isAcceptable(name))
        return true;
    qDebug() << operation << "refuses the macro name" << name;
    return false;
}

// A stored text; a value that the INI format split into a list is joined back.
QString storedText(const QVariant& value)
{
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

bool flushed(QSettings& settings, const char* operation)
{
    settings.sync();
    if (settings.status() == QSettings::NoError)
        return true;
    qDebug() << operation << "could not write" << settings.fileName();
    return false;
}

int profilesFollowingMacros(const QList<QSettings*>& profiles)
{
    return std::min<int>(kProfilesFollowingMacros, profiles.size());
}

} // namespace

QVariant myQQuickView::createMacroIni(QVariant name, QVariant macroIndex)
{
    QString macroName;
    if (!acceptedName(name, "createMacroIni", macroName))
        return false;
    QSettings file(macro_names::filePath(macroName), QSettings::IniFormat);
    file.setValue(kIndexKey, macroIndex.toUInt());
    file.setValue(kTotalKey, kNewTotal);
    file.setValue(kRepeatKey, kNewRepeat);
    file.setValue(kDidKey, kNewDid);
    return flushed(file, "createMacroIni");
}

QVariant myQQuickView::saveMacroIni(QVariant name, QStringList macros, QVariant repeat)
{
    QString macroName;
    if (!acceptedName(name, "saveMacroIni", macroName))
        return false;
    const QString path = macro_names::filePath(macroName);
    if (!QFileInfo(path).isFile())
        return false;
    QSettings file(path, QSettings::IniFormat);
    file.remove(kActionGroup);
    file.setValue(kTotalKey, macros.size());
    file.setValue(kRepeatKey, repeat);
    for (int i = 0; i < macros.size(); ++i)
        file.setValue(kActionGroup + QLatin1Char('/') + QString::number(i), macros[i]);
    return flushed(file, "saveMacroIni");
}

QVariantList myQQuickView::loadMacroIni(QVariant name)
{
    QString macroName;
    if (!acceptedName(name, "loadMacroIni", macroName))
        return {};
    const QString path = macro_names::filePath(macroName);
    if (!QFileInfo(path).isFile())
        return {};
    QSettings file(path, QSettings::IniFormat);
    int total = file.value(kTotalKey).toInt();
    if (total < 0 || total > kMaxLoadedActions) {
        qDebug() << "loadMacroIni:" << path << "holds the action count" << total;
        total = std::clamp(total, 0, kMaxLoadedActions);
    }
    QVariantList out;
    out.reserve(total + 1);
    for (int i = 0; i < total; ++i)
        out.append(storedText(file.value(kActionGroup + QLatin1Char('/') + QString::number(i), kAbsentAction)));
    out.append(storedText(file.value(kRepeatKey, kAbsentRepeat)));
    return out;
}

QVariant myQQuickView::deleteMacroIni(QVariant name)
{
    QString macroName;
    if (!acceptedName(name, "deleteMacroIni", macroName))
        return false;
    const QString path = macro_names::filePath(macroName);
    if (!QFileInfo(path).isFile())
        return false;
    return QFile::remove(path);
}

bool myQQuickView::loadMacroFile(QVariant macroFileName)
{
    QString macroName;
    if (!acceptedName(macroFileName, "loadMacroFile", macroName))
        return false;
    const QString chosen = fileChooser().openFile(this, tr(kOpenTitle), tr(kMacroFilter));
    if (chosen.isEmpty())
        return false;
    const QString path = macro_names::filePath(macroName);
    // An existing macro of that name is kept; QFile::copy never overwrites.
    if (!QFileInfo(path).exists() && !QFile::copy(chosen, path))
        qDebug() << "loadMacroFile: could not copy" << chosen << "to" << path;
    // True only when the macro now has a file, so that the editor creates an empty
    // one instead of listing a macro without a file.
    return QFileInfo(path).isFile();
}

void myQQuickView::saveMacroFile(QVariant macroFileName)
{
    QString macroName;
    if (!acceptedName(macroFileName, "saveMacroFile", macroName))
        return;
    const QString path = macro_names::filePath(macroName);
    QFile source(path);
    if (!source.open(QIODevice::ReadOnly)) {
        qDebug() << "saveMacroFile: no macro file" << path;
        return;
    }
    const QByteArray bytes = source.readAll();
    source.close();

    const QString target = fileChooser().saveFile(this, tr(kSaveTitle), tr(kMacroFilter));
    if (target.isEmpty())
        return;
    const QFileInfo targetInfo(target);
    if (targetInfo.exists() && targetInfo.canonicalFilePath() == QFileInfo(path).canonicalFilePath()) {
        qDebug() << "saveMacroFile: the export target is the macro file itself" << target;
        return;
    }
    // Replaces an existing file only once the copy is complete, so a failed export
    // leaves the old file as it was.
    // The flush makes a disk that fills up at the last bytes fail the export
    // instead of committing a short copy.
    QSaveFile out(target);
    const bool written = out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.flush();
    if (!written)
        out.cancelWriting();
    if (!out.commit() || !written)
        qDebug() << "saveMacroFile: could not write" << target;
}

QVariant myQQuickView::modifyMacroNameUpdateProfile(QVariant oldname, QVariant newname)
{
    QString oldName, newName;
    if (!acceptedName(oldname, "modifyMacroNameUpdateProfile", oldName)
        || !acceptedName(newname, "modifyMacroNameUpdateProfile", newName))
        return false;
    const QString oldPath = macro_names::filePath(oldName);
    if (!QFileInfo(oldPath).isFile())
        return false;

    const int profiles = profilesFollowingMacros(profileSettings);
    for (int p = 0; p < profiles; ++p) {
        QSettings* profile = profileSettings[p];
        if (!profile)
            continue;
        profile->beginGroup(kMacroKeyGroup);
        const QStringList keys = profile->childKeys();
        for (const QString& key : keys) {
            if (storedText(profile->value(key)) == oldName)
                profile->setValue(key, newName);
        }
        profile->endGroup();
    }
    // The profile updates stand even when the rename fails (a file of the new name exists).
    return QFile::rename(oldPath, macro_names::filePath(newName));
}

void myQQuickView::deleteMacroUpdateProfile(QVariant macroName)
{
    QString name;
    if (!acceptedName(macroName, "deleteMacroUpdateProfile", name))
        return;
    const int profiles = profilesFollowingMacros(profileSettings);
    for (int p = 0; p < profiles; ++p) {
        QSettings* profile = profileSettings[p];
        if (!profile)
            continue;
        for (int k = 0; k < kButtonCount; ++k) {
            const QString key = keyMatrixKey(k);
            const QVariantList entry = settingsList(profile->value(key));
            if (entry.size() < kMinEntryValues) {
                if (!entry.isEmpty())
                    qDebug() << "deleteMacroUpdateProfile: short key entry" << key << "in" << profile->fileName();
                continue;
            }
            if (settingsListInt(entry, 0) != kMacroFunction)
                continue;
            const int slot = settingsListInt(entry, kEntrySlotValue);
            if (storedText(profile->value(macroKeyKey(slot))) != name)
                continue;
            const QVariant factory = recoverySettings ? recoverySettings->value(key) : QVariant();
            if (settingsList(factory).size() < kMinEntryValues) {
                qDebug() << "deleteMacroUpdateProfile: no factory entry" << key;
                continue;
            }
            profile->setValue(key, factory);
        }
    }
}

QVariant myQQuickView::mouseSendMacroData(QVariantList macroData, QVariant macroIndex)
{
    bool numeric = false;
    const uint slot = macroIndex.toUInt(&numeric) & kSlotByteMask;
    if (!numeric) {
        qDebug() << "mouseSendMacroData: the macro slot is not a number" << macroIndex;
        return true;
    }
    if (slot > kLastMacroSlot)
        return true;
    if (macroData.size() > kMacroBlockSize) {
        qDebug() << "mouseSendMacroData: the macro takes" << macroData.size() << "bytes, the block holds"
                 << kMacroBlockSize << "- not sent";
        return true;
    }
    std::array<uchar, kMacroBlockSize> block{};
    for (int i = 0; i < macroData.size(); ++i) {
        bool ok = false;
        const int value = macroData[i].toInt(&ok);
        if (!ok) {
            qDebug() << "mouseSendMacroData: byte" << i << "is not a number" << macroData[i] << "- not sent";
            return true;
        }
        block[i] = static_cast<uchar>(value & kValueByteMask);
    }
    if (!hidLink) {
        qDebug() << "mouseSendMacroData: no device link";
        return true;
    }
    const uchar macroId = static_cast<uchar>(slot + 1);
    if (icType == QLatin1String("560"))
        hidLink->hid560_0FH_SetMacroKey(macroId, block.data());
    else
        hidLink->hid553_13H_SetMacroKey(macroId, block.data());
    return true;
}
