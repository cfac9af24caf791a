// Writes the shipped settings files of modules/ through QSettings, so every value is
// stored exactly as the program's own settings code writes and reads it.
//   make_install_tree <modules folder>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStringList>
#include <QVariantList>
#include <cstdio>

namespace {

QVariantList ints(std::initializer_list<int> values)
{
    QVariantList out;
    for (int v : values)
        out << v;
    return out;
}

struct Group {
    const char* name;
    int total;
    QStringList texts;
};

void writeLanguage(const QString& path, const QList<Group>& groups)
{
    QFile::remove(path);
    QSettings ini(path, QSettings::IniFormat);
    for (const Group& g : groups) {
        if (g.texts.size() > g.total)
            qFatal("group %s has %d texts for a total of %d", g.name, int(g.texts.size()), g.total);
        ini.beginGroup(QString::fromLatin1(g.name));
        ini.setValue("total", g.total);
        for (int i = 0; i < g.total; ++i)
            ini.setValue(QString::number(i), i < g.texts.size() ? g.texts[i] : QString());
        ini.endGroup();
    }
}

QStringList withEmpty(QStringList texts, int total)
{
    while (texts.size() < total)
        texts << QString();
    return texts;
}

// The key names in code order: 0x04..0x73, 0x85, 0x87..0x8B, 0x90, 0x91, 0xE0..0xE7, 0xF0..0xF4.
QStringList keyNames(bool chinese)
{
    QStringList n;
    for (char c = 'A'; c <= 'Z'; ++c)
        n << QString(QChar(c));
    n << "1" << "2" << "3" << "4" << "5" << "6" << "7" << "8" << "9" << "0";
    if (chinese)
        n << QString::fromUtf8("回车") << "Esc" << QString::fromUtf8("退格") << "Tab" << QString::fromUtf8("空格");
    else
        n << "Enter" << "Esc" << "Back" << "Tab" << "Space";
    n << "-" << "=" << "[" << "]" << "\\" << "\\" << ";" << "'" << "`" << "," << "." << "/";
    n << (chinese ? QString::fromUtf8("大写") : QString("Caps"));
    for (int i = 1; i <= 12; ++i)
        n << QStringLiteral("F%1").arg(i);
    n << "Prt" << "Scr" << "Pau" << "Ins" << "Hom" << "Pgu" << "Del" << "End" << "PgD";
    n << QString(QChar(0x25BA)) << QString(QChar(0x25C4)) << QString(QChar(0x25BC)) << QString(QChar(0x25B2));
    n << "Num" << "KP/" << "KP*" << "KP-" << "KP+" << "KPEnter";
    n << "KP1" << "KP2" << "KP3" << "KP4" << "KP5" << "KP6" << "KP7" << "KP8" << "KP9" << "KP0" << "KP.";
    n << "Eur2" << "App" << "Power" << "KP=";
    for (int i = 13; i <= 24; ++i)
        n << QStringLiteral("F%1").arg(i);
    n << "Keypad" << "Intl1" << "Intl2" << "Intl2" << "Intl4" << "Intl5" << "Lang1" << "Lang2";
    n << "LCtrl" << "LShift" << "LAlt" << "LWin" << "RCtrl" << "RShift" << "RAlt" << "RWin";
    if (chinese)
        n << QString::fromUtf8("鼠标左键") << QString::fromUtf8("鼠标右键") << QString::fromUtf8("鼠标中键")
          << QString::fromUtf8("鼠标键4") << QString::fromUtf8("鼠标键5");
    else
        n << "MS-L" << "MS-R" << "MS-M" << "MS-B4" << "MS-B5";
    if (n.size() != 133)
        qFatal("%d key names", int(n.size()));
    return n;
}

QList<Group> english()
{
    QStringList other;
    for (int i = 1; i <= 7; ++i)
        other << QStringLiteral("DPI Switch to Stage %1").arg(i);
    other << "DPI Switch to";
    return {
        {"main", 15, {"Editor", "Macro Editor", "Gun Editor", "Report Rate", "Config", "Reset", "Reset factory setting",
                      "Cancel", "OK", "System setting", "Save"}},
        {"keyMatrix", 5, {"Key ", "Key Function"}},
        {"keyAssigment", 60,
         {"Key ", "Mouse Function", "Left Key", "Middle Key", "Right Key", "Forward Key", "Back Key", "Double Fire",
          "Fire Function", "Key Value", "Click Input", "Rate", "Times", "Endness", "Group Function", "Media Function",
          "Macro Function", "Macro Editor", "Macro runs one-time after pressing the button",
          "Macro runs endless loop until any button is pressed", "Macro runs endless loop until button is released",
          "DPI Function", "DPI+", "DPI-", "DPI LOOP", "Windows Function", "Shortcut Function", "Player", "Next",
          "Privous", "Stop", "Mute", "Play/Pause", "Volumn+", "Volumn-", "My PC", "Index", "Search", "Max", "Min",
          "Desktop", "Run", "New", "Cut", "Copy", "Paste", "Save", "Print", "Find", "Redo", "Undo", "Select All",
          "Gun Function", "One Gun", "Two Gun", "Three Gun", "Sniper Key"}},
        {"dpiSetting", 5, {"DPI Setting", "Stage", "DPI COLOR", "Revert"}},
        {"lightControl", 15, {"Light", "Static", "Breath", "Neon", "OFF", "Speed", "Color", "Brightness", "Twinkling",
                              "Wave", "Gliding", "Finger Moving", "Vertical Flipping", "YO-YO", "Spotlight"}},
        {"macroEditor", 20, {"Macro Editor", "Macro Name", "New", "Delete", "Action", "Stop Record", "Times", "OK",
                             "Start Record", "Delay", "Delete", "Import", "Export", "Insert Delay", "Insert Key",
                             "Insert Left Key", "Insert Middle Key", "Insert Right Key"}},
        {"systemSetting", 15, {"System Setting", "Mouse Speed", "Double Click Speed", "Slow", "Fast", "Scroll Speed",
                               "Number of Rows", "Scroll one Screen"}},
        {"gunControl", 10, {"Gun editor", "Gun", "Select gun", "Cursor Adjust", "X Axis", "Y axis", "Fire adjust",
                            "Rate", "Times", "Endness"}},
        {"profile", 20, {"config", "New", "Import", "Delete", "Export", "Standard"}},
        {"keyCode", 133, keyNames(false)},
        {"other", 8, other},
    };
}

QStringList zh(std::initializer_list<const char*> texts)
{
    QStringList out;
    for (const char* t : texts)
        out << QString::fromUtf8(t);
    return out;
}

QList<Group> chinese()
{
    QStringList other;
    for (int i = 1; i <= 7; ++i)
        other << QString::fromUtf8("DPI切换到第%1档").arg(i);
    other << QString::fromUtf8("DPI切换到");
    return {
        {"main", 15, zh({"编辑器", "宏编辑器", "压枪编辑器", "回报率", "配置", "重置", "恢复出厂设置", "取消", "确定",
                         "系统设置", "保存"})},
        {"keyMatrix", 5, zh({"按键 ", "按键功能"})},
        {"keyAssigment", 60,
         zh({"按键 ", "鼠标功能", "左键", "中键", "右键", "前进键", "后退键", "双击", "连发功能", "键值", "点击输入",
             "速率", "次数", "无限", "组合键功能", "多媒体功能", "宏功能", "宏编辑器", "按下按键后宏运行一次",
             "宏循环运行，直到按下任意键", "宏循环运行，直到松开按键", "DPI功能", "DPI+", "DPI-", "DPI循环",
             "Windows功能", "快捷键功能", "播放器", "下一曲", "上一曲", "停止", "静音", "播放/暂停", "音量+", "音量-",
             "我的电脑", "主页", "搜索", "最大化", "最小化", "显示桌面", "运行", "新建", "剪切", "复制", "粘贴", "保存",
             "打印", "查找", "重做", "撤销", "全选", "压枪功能", "一号枪", "二号枪", "三号枪", "狙击键"})},
        {"dpiSetting", 5, zh({"DPI设置", "档位", "DPI颜色", "恢复"})},
        {"lightControl", 15, zh({"灯光", "常亮", "呼吸", "霓虹", "关闭", "速度", "颜色", "亮度", "闪烁", "波浪", "滑行",
                                 "指尖流动", "垂直翻转", "溜溜球", "聚光灯"})},
        {"macroEditor", 20, zh({"宏编辑器", "宏名称", "新建", "删除", "动作", "停止录制", "次数", "确定", "开始录制",
                                "延时", "删除", "导入", "导出", "插入延时", "插入按键", "插入左键", "插入中键",
                                "插入右键"})},
        {"systemSetting", 15, zh({"系统设置", "鼠标速度", "双击速度", "慢", "快", "滚轮速度", "行数", "滚动一屏"})},
        {"gunControl", 10, zh({"压枪编辑器", "枪械", "选择枪械", "准星调整", "X轴", "Y轴", "射击调整", "速率", "次数",
                               "无限"})},
        {"profile", 20, zh({"配置", "新建", "导入", "删除", "导出", "标准"})},
        {"keyCode", 133, keyNames(true)},
        {"other", 8, other},
    };
}

void writeGlobal(const QString& path)
{
    QFile::remove(path);
    QSettings s(path, QSettings::IniFormat);
    s.setValue("common/name", "CORVANE SKARN MOUSE GX17");
    s.setValue("common/deviceCount", 1);
    s.setValue("common/language", "English");
    s.setValue("common/url", "https://www.corvane.example/");
    s.setValue("0/type", "1");
    s.setValue("0/vid", "1209");
    s.setValue("0/pid", "0001");
    s.setValue("0/usagePage", "ff00");
    s.setValue("0/usage", "ff00");
    s.setValue("0/usagePage2", "ff01");
    s.setValue("0/usage2", "ff01");
    s.setValue("0/reportLength", 32);
    s.setValue("0/isEncode", true);
    s.setValue("0/sCode", "735102");
    s.setValue("mouse/isColorful", true);
    s.setValue("mouse/isGun", true);
    s.setValue("mouse/icType", "553-24");
    s.setValue("mouse/keyCount", 8);
    s.setValue("mouse/profileNo", 0);
    s.setValue("mouse/minDPI", 200);
    s.setValue("mouse/maxDPI", 6000);
    s.setValue("mouse/dpiBase", 50);
    s.setValue("mouse/sensorType", "3360");
    s.setValue("mouse/selectGun", ints({0, 1, 2}));
}

// The scene's built-in key rows and the same rows in firmware encoding.
const int kKeyRows[16][4] = {
    {0, 0, 0xF0, 0}, {0, 0, 0xF1, 0}, {0, 0, 0xF2, 0}, {0, 0, 0xF4, 0}, {0, 0, 0xF3, 0}, {5, 0, 1, 0}, {5, 0, 2, 0},
    {0, 0xF0, 0x1E, 2}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0},
    {0xFF, 0, 1, 0}, {0xFF, 0, 2, 0}};
const int kFwRows[16][4] = {
    {1, 0, 0xF0, 0}, {1, 0, 0xF1, 0}, {1, 0, 0xF2, 0}, {1, 0, 0xF4, 0}, {1, 0, 0xF3, 0}, {7, 0, 1, 0}, {7, 0, 2, 0},
    {10, 0xF0, 0x1E, 2}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0},
    {4, 0, 1, 0}, {4, 0, 2, 0}};

void writeProfile(const QString& path)
{
    QFile::remove(path);
    QSettings s(path, QSettings::IniFormat);
    s.setValue("mouse/reportRate", 2);
    s.setValue("mouse/dpiCount", 4);
    s.setValue("mouse/currentDpiCount", 4);
    s.setValue("mouse/dpiValueArray", ints({500, 1000, 1500, 2000, 3000, 4000, 5000, 6000}));
    s.setValue("mouse/dpiColorValue", ints({255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 0, 255, 0, 255, 255, 255, 127, 0,
                                            255, 255, 0, 255, 255, 255}));
    s.setValue("mouse/lightValue", ints({0, 0, 4}));
    s.setValue("mouse/colorValue", ints({255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 0, 255, 0, 255, 255, 255, 127, 0,
                                         96, 0, 255, 255, 255, 255}));
    s.setValue("mouse/mouseRate", 170);
    s.setValue("mouse/doubleRate", 170);
    s.setValue("mouse/scrollRate", 3);
    for (int n = 0; n < 16; ++n) {
        s.setValue(QStringLiteral("mouseKeyMatrix/%1").arg(n),
                   ints({kKeyRows[n][0], kKeyRows[n][1], kKeyRows[n][2], kKeyRows[n][3]}));
        s.setValue(QStringLiteral("mouseFwKeyMatrix/%1").arg(n),
                   ints({kFwRows[n][0], kFwRows[n][1], kFwRows[n][2], kFwRows[n][3]}));
    }
    s.setValue("XYSensitive/0", 4);
    s.setValue("XYSensitive/1", 4);
    for (int i = 0; i < 3; ++i)
        s.setValue(QStringLiteral("selectGun/%1").arg(i), i);
}

void writeNames(const QString& path)
{
    QFile::remove(path);
    QSettings s(path, QSettings::IniFormat);
    s.setValue("profile/profileName", QStringList{"Standard0", "loaderquorin"});
    s.setValue("gun/gunName", QStringList{"M416", "AKM", "M16A4", "SCAR-L", "UNP9", "Thomson"});
    s.setValue("gun/selectGun", QStringList{"0", "1", "2"});
}

void writeGuns(const QString& path)
{
    QFile::remove(path);
    QSettings s(path, QSettings::IniFormat);
    const QStringList names{"M416", "AKM", "M16A4", "SCAR-L", "UNP9", "Thomson"};
    for (int i = 0; i < names.size(); ++i)
        s.setValue(QStringLiteral("gunData/%1").arg(i), QStringList{names[i], "L-Click", "10", "0", "10", "0"});
}

bool copyOver(const QString& from, const QString& to)
{
    QFile::remove(to);
    return QFile::copy(from, to);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_install_tree <modules folder>\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    for (const char* sub : {"setting", "gun", "i18n", "macro", "img"})
        root.mkpath(QString::fromLatin1(sub));
    writeGlobal(root.filePath("setting/apConfig.bin"));
    writeProfile(root.filePath("setting/pD.bin"));
    writeNames(root.filePath("setting/name.bin"));
    writeGuns(root.filePath("gun/gunData.bin"));
    writeLanguage(root.filePath("i18n/English.ini"), english());
    writeLanguage(root.filePath("i18n/ChineseSimplified.ini"), chinese());
    bool ok = copyOver(root.filePath("setting/apConfig.bin"), root.filePath("setting/apConfigD.bin"));
    for (int n = 1; n <= 10; ++n)
        ok = copyOver(root.filePath("setting/pD.bin"), root.filePath(QStringLiteral("setting/p%1.bin").arg(n))) && ok;
    return ok ? 0 : 1;
}
