// The hook procedures' decisions (keys, buttons, texts handed over) and the key tables
// against the kernel's.
#include "input/copy_data.h"
#include "input/evdev_keys.h"
#include "input/hook_backend.h"
#include "input/input_hooks.h"

#include <QtTest>
#include <set>
#include <tuple>
#include <vector>

#include <linux/input-event-codes.h>

namespace {

struct FakeBackend : HookBackend {
    bool install(InputHooks&) override { return true; }
    void remove() override {}
    bool installed() const override { return true; }
};

using Keys = std::vector<std::pair<int, bool>>;   // usage, down
using Events = std::vector<std::tuple<std::uintptr_t, std::uint32_t, std::uint32_t>>;
using namespace hook_message;

// The kernel's HID-to-input mapping of the keyboard usages the key-name table names
// (codes below 0xE8).
const std::pair<int, int> kKernel[] = {
    {0x04, KEY_A}, {0x05, KEY_B}, {0x06, KEY_C}, {0x07, KEY_D}, {0x08, KEY_E}, {0x09, KEY_F},
    {0x0A, KEY_G}, {0x0B, KEY_H}, {0x0C, KEY_I}, {0x0D, KEY_J}, {0x0E, KEY_K}, {0x0F, KEY_L},
    {0x10, KEY_M}, {0x11, KEY_N}, {0x12, KEY_O}, {0x13, KEY_P}, {0x14, KEY_Q}, {0x15, KEY_R},
    {0x16, KEY_S}, {0x17, KEY_T}, {0x18, KEY_U}, {0x19, KEY_V}, {0x1A, KEY_W}, {0x1B, KEY_X},
    {0x1C, KEY_Y}, {0x1D, KEY_Z}, {0x1E, KEY_1}, {0x1F, KEY_2}, {0x20, KEY_3}, {0x21, KEY_4},
    {0x22, KEY_5}, {0x23, KEY_6}, {0x24, KEY_7}, {0x25, KEY_8}, {0x26, KEY_9}, {0x27, KEY_0},
    {0x28, KEY_ENTER}, {0x29, KEY_ESC}, {0x2A, KEY_BACKSPACE}, {0x2B, KEY_TAB}, {0x2C, KEY_SPACE},
    {0x2D, KEY_MINUS}, {0x2E, KEY_EQUAL}, {0x2F, KEY_LEFTBRACE}, {0x30, KEY_RIGHTBRACE},
    {0x31, KEY_BACKSLASH}, {0x32, KEY_BACKSLASH}, {0x33, KEY_SEMICOLON}, {0x34, KEY_APOSTROPHE},
    {0x35, KEY_GRAVE}, {0x36, KEY_COMMA}, {0x37, KEY_DOT}, {0x38, KEY_SLASH}, {0x39, KEY_CAPSLOCK},
    {0x3A, KEY_F1}, {0x3B, KEY_F2}, {0x3C, KEY_F3}, {0x3D, KEY_F4}, {0x3E, KEY_F5}, {0x3F, KEY_F6},
    {0x40, KEY_F7}, {0x41, KEY_F8}, {0x42, KEY_F9}, {0x43, KEY_F10}, {0x44, KEY_F11}, {0x45, KEY_F12},
    {0x46, KEY_SYSRQ}, {0x47, KEY_SCROLLLOCK}, {0x48, KEY_PAUSE}, {0x49, KEY_INSERT}, {0x4A, KEY_HOME},
    {0x4B, KEY_PAGEUP}, {0x4C, KEY_DELETE}, {0x4D, KEY_END}, {0x4E, KEY_PAGEDOWN}, {0x4F, KEY_RIGHT},
    {0x50, KEY_LEFT}, {0x51, KEY_DOWN}, {0x52, KEY_UP}, {0x53, KEY_NUMLOCK}, {0x54, KEY_KPSLASH},
    {0x55, KEY_KPASTERISK}, {0x56, KEY_KPMINUS}, {0x57, KEY_KPPLUS}, {0x58, KEY_KPENTER},
    {0x59, KEY_KP1}, {0x5A, KEY_KP2}, {0x5B, KEY_KP3}, {0x5C, KEY_KP4}, {0x5D, KEY_KP5},
    {0x5E, KEY_KP6}, {0x5F, KEY_KP7}, {0x60, KEY_KP8}, {0x61, KEY_KP9}, {0x62, KEY_KP0},
    {0x63, KEY_KPDOT}, {0x64, KEY_102ND}, {0x65, KEY_COMPOSE}, {0x66, KEY_POWER}, {0x67, KEY_KPEQUAL},
    {0x68, KEY_F13}, {0x69, KEY_F14}, {0x6A, KEY_F15}, {0x6B, KEY_F16}, {0x6C, KEY_F17},
    {0x6D, KEY_F18}, {0x6E, KEY_F19}, {0x6F, KEY_F20}, {0x70, KEY_F21}, {0x71, KEY_F22},
    {0x72, KEY_F23}, {0x73, KEY_F24}, {0x85, KEY_KPCOMMA}, {0x87, KEY_RO},
    {0x88, KEY_KATAKANAHIRAGANA}, {0x89, KEY_YEN}, {0x8A, KEY_HENKAN}, {0x8B, KEY_MUHENKAN},
    {0x90, KEY_HANGEUL}, {0x91, KEY_HANJA}, {0xE0, KEY_LEFTCTRL}, {0xE1, KEY_LEFTSHIFT},
    {0xE2, KEY_LEFTALT}, {0xE3, KEY_LEFTMETA}, {0xE4, KEY_RIGHTCTRL}, {0xE5, KEY_RIGHTSHIFT},
    {0xE6, KEY_RIGHTALT}, {0xE7, KEY_RIGHTMETA},
};

} // namespace

Q_DECLARE_METATYPE(Keys)
Q_DECLARE_METATYPE(Events)

class TestInputHooks : public QObject
{
    Q_OBJECT

private slots:
    // The keyboard procedure: scan codes and flags to usages, each transition reported once
    // (the key state every input source shares).
    void keyboard_data()
    {
        QTest::addColumn<Events>("events");   // message, scan code, flags
        QTest::addColumn<Keys>("expected");
        const auto down = kKeyDown, up = kKeyUp, sysDown = kSysKeyDown, sysUp = kSysKeyUp;
        QTest::newRow("held key") << Events{{down, 0x1E, 0}, {down, 0x1E, 0}, {down, 0x1E, 0}, {up, 0x1E, 0}}
                                  << Keys{{0x04, true}, {0x04, false}};
        QTest::newRow("up without down") << Events{{up, 0x1E, 0}} << Keys{};
        QTest::newRow("overlap") << Events{{down, 0x2A, 0}, {down, 0x1E, 0}, {down, 0x1E, 0}, {up, 0x2A, 0}, {up, 0x1E, 0}}
                                 << Keys{{0xE1, true}, {0x04, true}, {0xE1, false}, {0x04, false}};
        QTest::newRow("keypad Enter, injected") << Events{{down, 0x1C, 0x11}} << Keys{{0x58, true}};
        QTest::newRow("Alt+Print Screen") << Events{{sysDown, 0x54, kFlagAltDown}, {sysUp, 0x54, kFlagAltDown}}
                                          << Keys{{0x46, true}, {0x46, false}};
        QTest::newRow("SysRq without Alt") << Events{{down, 0x54, 0}} << Keys{};
        QTest::newRow("Print Screen") << Events{{down, 0x37, 1}} << Keys{{0x46, true}};
        QTest::newRow("Ctrl+Break") << Events{{down, 0x46, 1}} << Keys{{0x48, true}};
        QTest::newRow("Pause") << Events{{down, 0x45, 0}} << Keys{{0x48, true}};
        QTest::newRow("Num Lock") << Events{{down, 0x45, 1}} << Keys{{0x53, true}};
        QTest::newRow("right Ctrl and Windows") << Events{{down, 0x1D, 1}, {down, 0x5C, 1}} << Keys{};
        QTest::newRow("right Shift needs the extended flag") << Events{{down, 0x36, 0}, {down, 0x36, 1}}
                                                             << Keys{{0xE5, true}};
        QTest::newRow("scan code above 0xFF counts as 0") << Events{{down, 0x11E, 0}, {down, 0x100, 0}} << Keys{};
        QTest::newRow("Alt+letter as system key") << Events{{sysDown, 0x1E, kFlagAltDown}} << Keys{{0x04, true}};
    }

    void keyboard()
    {
        QFETCH(Events, events);
        QFETCH(Keys, expected);
        Keys reports;
        InputHooks hooks(0, std::make_unique<FakeBackend>());
        hooks.setKeyboardCallback([](std::uint8_t usage, bool isDown, void* ctx) {
            static_cast<Keys*>(ctx)->push_back({usage, isDown});
        }, &reports);
        for (const auto& [message, scan, flags] : events)
            hooks.keyboardProcedure(0, message, scan, flags);
        QCOMPARE(reports, expected);
    }

    // Down and up of the left, right and middle buttons are reported with their position;
    // double clicks, moves and wheels are not.
    void mouse()
    {
        using Buttons = std::vector<std::tuple<int, bool, int, int>>;
        Buttons reports;
        InputHooks hooks(0, std::make_unique<FakeBackend>());
        hooks.setMouseCallback([](std::uint8_t code, bool isDown, std::int32_t x, std::int32_t y, void* ctx) {
            static_cast<Buttons*>(ctx)->push_back({code, isDown, x, y});
        }, &reports);
        for (std::uintptr_t message = 0x0200; message <= 0x020E; ++message)
            hooks.mouseProcedure(0, message, int(message), -20);
        QCOMPARE(reports, (Buttons{{0xF0, true, 0x201, -20}, {0xF0, false, 0x202, -20}, {0xF1, true, 0x204, -20},
                                   {0xF1, false, 0x205, -20}, {0xF2, true, 0x207, -20}, {0xF2, false, 0x208, -20}}));
    }

    // A text handed over by another program is shown only when it is exactly what it says
    // it is; the buffer holds exactly its bytes, so the address sanitizer build catches a
    // read past them.
    void copyDataDecision_data()
    {
        QTest::addColumn<quint64>("tag");
        QTest::addColumn<QByteArray>("buffer");
        QTest::addColumn<quint32>("cbData");
        QTest::addColumn<QString>("shown");   // null: not shown
        const QByteArray hello("Hello", 6), accented("H\xC3\xA9llo", 7);
        QTest::newRow("terminated") << quint64(0x250F) << hello << 5u << QStringLiteral("Hello");
        QTest::newRow("length counts the zero") << quint64(0x250F) << hello << 6u << QString();
        QTest::newRow("other tag") << quint64(0x2510) << hello << 5u << QString();
        QTest::newRow("two-byte characters") << quint64(0x250F) << accented << 6u << QString::fromUtf8(accented.constData());
        QTest::newRow("cut inside a character") << quint64(0x250F) << accented << 2u << QString();
        QTest::newRow("unterminated, read to cbData") << quint64(0x250F) << QByteArray("HelloWorld") << 5u
                                                      << QStringLiteral("Hello");
        QTest::newRow("zero inside cbData") << quint64(0x250F) << QByteArray("Hi\0There", 9) << 8u << QString();
        QTest::newRow("invalid UTF-8") << quint64(0x250F) << QByteArray("\xFF\xFE") << 2u << QString();
        QTest::newRow("empty text") << quint64(0x250F) << QByteArray("", 1) << 0u << QStringLiteral("");
        QTest::newRow("no buffer") << quint64(0x250F) << QByteArray() << 5u << QString();
    }

    void copyDataDecision()
    {
        QFETCH(quint64, tag);
        QFETCH(QByteArray, buffer);
        QFETCH(quint32, cbData);
        QFETCH(QString, shown);
        const std::vector<char> exact(buffer.begin(), buffer.end());
        const copy_data::Decision d =
            copy_data::decide({std::uintptr_t(tag), cbData, exact.empty() ? nullptr : exact.data()});
        QCOMPARE(d.show, !shown.isNull());
        if (d.show)
            QCOMPARE(d.text, shown);
    }

    // The scan-code and evdev tables give only usages the key-name table names, and the
    // evdev table agrees with the kernel's mapping.
    void tablesAgainstTheKernel()
    {
        InputHooks hooks(0, std::make_unique<FakeBackend>());
        std::set<int> named;
        for (const auto& [usage, key] : kKernel)
            named.insert(usage);
        for (const auto& [key, vk] : hooks.scanToVirtualKey()) {
            const int usage = hooks.usageForScanCode(key >> 8, key & 1);
            QVERIFY2(named.count(usage), qPrintable(QStringLiteral("scan key %1").arg(key, 0, 16)));
        }
        for (std::uint32_t code = 0; code < 0x300; ++code) {
            const int usage = evdev::usageForKey(code);
            QVERIFY2(!usage || named.count(usage), qPrintable(QStringLiteral("code %1 -> %2").arg(code).arg(usage, 0, 16)));
        }
        for (const auto& [usage, key] : kKernel) {
            // Where two usages share a key, the key reports the lower one.
            int expected = usage;
            for (const auto& [other, otherKey] : kKernel)
                if (otherKey == key && other < expected)
                    expected = other;
            QVERIFY2(evdev::usageForKey(key) == expected,
                     qPrintable(QStringLiteral("usage %1 key %2 gives %3")
                                    .arg(usage, 0, 16).arg(key).arg(evdev::usageForKey(key), 0, 16)));
        }
    }
};

QTEST_GUILESS_MAIN(TestInputHooks)
#include "tst_input_hooks.moc"
