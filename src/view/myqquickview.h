#pragma once
// The host view: it shows the scene and offers the scene every data and device
// operation (published as ui_View). The operations are grouped by area, one
// source file each under view/: settings, profiles, keys, performance, macros,
// recoil, language, pointer.

#include <QList>
#include <QPointer>
#include <QQuickWidget>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <array>
#include <memory>

class Hid_Thread;
class FileChooser;
class PointerSettings;

typedef unsigned char uchar;

class myQQuickView : public QQuickWidget
{
    Q_OBJECT
public:
    static constexpr int kProfileCount = 10;
    static constexpr int kBlockCount = 5;
    static constexpr int kBlockSize = 128;

    // Opens the settings handles and reads the model flags (no scene is loaded here).
    explicit myQQuickView(QWidget* parent = nullptr);
    ~myQQuickView() override;

    // --- members, in order ---
    QSettings* globalSettings = nullptr;
    QSettings* recoverySettings = nullptr;
    QList<QSettings*> profileSettings;
    int currentProfile = 0;
    bool isColorful = false;
    bool isGun = false;
    QString icType;
    std::array<std::array<uchar, kBlockSize>, kBlockCount> profileBlocks{};

    // The device link all device commands go through.
    void setLink(Hid_Thread* link);
    Hid_Thread* link() const { return hidLink; }

    // Replaceable collaborators (tests, other platforms).
    void setFileChooser(std::unique_ptr<FileChooser> chooser);
    FileChooser& fileChooser();
    void setPointerSettings(std::unique_ptr<PointerSettings> settings);
    PointerSettings& pointerSettings();

    // Calls a function of the scene's root object by name, every argument a QVariant.
    // Does nothing without a scene or when the scene lacks the function.
    void callScene(const char* function, Qt::ConnectionType type, const QVariantList& args = {});

    // The profile handle in use, or nullptr (with a debug line) when currentProfile is outside 0..9.
    QSettings* currentProfileSettings() const;

    // Input captured by the hooks, queued to the scene's detectKeyboard / detectMouse.
    void detectKeyboard(bool isDown, int usbCode);
    void detectMouse(bool isDown, uint vornCode, uint x, uint y);

public slots:
    // --- settings (4.1) ---
    QVariant getData(QVariant key, bool isRecovery);
    QVariant getGlobalData(QVariant key);
    QVariantList getDataList(QVariant key, bool isRecovery);
    void setData(QVariant key, QVariant data);
    void setGlobalData(QVariant key, QVariant tmpdata);
    void setDataList(QVariant key, QVariantList datalist);
    void initUI();
    void runUI();
    void resetApconfig();
    void clearHidBusy();
    void openUpdateExe();
    void setBusy(int busyTime);

    // --- profiles (4.2) ---
    void setCurrentProfile(int profile);
    void saveProfile(int profile);
    bool loadProfile(int profile);
    void resetProfile(int profile);
    void copyProfile(int destprofile, int srcprofile);
    void mouseReadProfile(uint profileNo);
    void mouseSetProfile(uint profileNo);
    QVariant mouseReadCurrentProfile();

    // --- key assignment (4.3) ---
    // True when key capture sees keys typed in any window; false when only keys
    // typed in this program's window reach the scene.
    bool globalKeyCapture() const;
    QVariantList mouseGetKeydefine(QVariant index, bool isRecovery);
    void mouseSetKeyMatrix(QVariantList src64, bool isSendData, QVariantList otherParam);
    void mouseResetKeyMatrix();
    void mouseSwitchKeyMatrix(int indexNo);

    // --- DPI, report rate, lighting, options (4.4) ---
    void mouseSetReportRate(uchar rate);
    void mouseSetCurrentDPI(uchar currentDPI);
    QVariant mouseGetCurrentDPI();
    void mouseSetDpi(int dpiCount, QString sensorType, QVariantList dpiValueArray);
    void mouseSetRGBEffect(uchar effect, uchar option1, uchar option2);
    void mouseSetRGBColor(uchar type, QVariantList src24);
    void mouseSetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    QVariantList GetKeyboardoption();
    void setCurrentDPI(int dpiValue);

    // --- macros (4.5) ---
    QVariant createMacroIni(QVariant name, QVariant macroIndex);
    QVariant saveMacroIni(QVariant name, QStringList macros, QVariant repeat);
    QVariantList loadMacroIni(QVariant name);
    QVariant deleteMacroIni(QVariant name);
    bool loadMacroFile(QVariant macroFileName);
    void saveMacroFile(QVariant macroFileName);
    QVariant modifyMacroNameUpdateProfile(QVariant oldname, QVariant newname);
    void deleteMacroUpdateProfile(QVariant macroName);
    QVariant mouseSendMacroData(QVariantList macroData, QVariant macroIndex);

    // --- recoil data and sensitivity (4.6) ---
    QVariantList getGunData(QVariant index);
    QVariantList getGunDataKey();
    void mouseSaveGundata(QVariant index, QVariantList src6);
    void modifyGundata(QVariant modifyType, QVariantList src6);
    void mouseSendGundata(int slot, QVariantList data);
    QVariant getXYSensitive(QVariant index);
    void setXYSensitive(QVariant index, QVariant xyData);
    QVariant getselectGun(QVariant index);
    void setSelectGun(QVariant index, QVariant value);

    // --- language strings and name lists (4.7) ---
    QVariantList getLangStrings(QString typeStr, QString langCode);
    QVariant updataNameList(QVariant type, QStringList nameList);
    QVariantList getNameList(QVariant type);

    // --- desktop pointer settings (4.8) ---
    void mouseSetCursorSpeed(uint cursorSpeed);
    void mouseSetDoubleClickSpeed(uint speed);
    void mouseSetVerticalScrollLines(uint lines);

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    Hid_Thread* hidLink = nullptr;
    std::unique_ptr<FileChooser> chooser;
    std::unique_ptr<PointerSettings> pointer;
};
