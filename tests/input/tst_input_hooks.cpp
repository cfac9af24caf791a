// The hook module's decisions: keyboard and mouse procedures, repeat suppression,
// the copy-data rule and the evdev key table.
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
    bool failInstall = false;
    bool active = false;
    int installs = 0;
    int removals = 0;
    bool install(InputHooks&) override { return ++installs, active = !failInstall; }
    void remove() override { ++removals, active = false; }
    bool installed() const override { return active; }
};

struct KeyEvent {
    int hookCode;
    std::uintptr_t message;
    std::uint32_t scan;
    std::uint32_t flags;
};

using KeyReport = std::pair<int, bool>;                  // usage, down
using ButtonReport = std::tuple<int, bool, int, int>;    // code, down, x, y

struct Recorder {
    std::vector<KeyReport> keys;
    std::vector<ButtonReport> buttons;
    std::vector<CopyDataRecord> copies;
    static void key(std::uint8_t usage, bool isDown, void* ctx) { static_cast<Recorder*>(ctx)->keys.push_back({usage, isDown}); }
    static void button(std::uint8_t code, bool isDown, std::int32_t x, std::int32_t y, void* ctx)
    { static_cast<Recorder*>(ctx)->buttons.push_back({code, isDown, x, y}); }
    static void copy(const CopyDataRecord& record, void* ctx) { static_cast<Recorder*>(ctx)->copies.push_back(record); }
};

using namespace hook_message;

constexpr KeyEvent down(std::uint32_t scan, std::uint32_t flags = 0) { return {0, kKeyDown, scan, flags}; }
constexpr KeyEvent up(std::uint32_t scan, std::uint32_t flags = 0) { return {0, kKeyUp, scan, flags}; }
constexpr KeyEvent sysDown(std::uint32_t scan, std::uint32_t flags) { return {0, kSysKeyDown, scan, flags}; }
constexpr KeyEvent sysUp(std::uint32_t scan, std::uint32_t flags) { return {0, kSysKeyUp, scan, flags}; }

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

Q_DECLARE_METATYPE(std::vector<KeyEvent>)
Q_DECLARE_METATYPE(std::vector<KeyReport>)
Q_DECLARE_METATYPE(std::vector<char>)

class TestInputHooks : public QObject
{
    Q_OBJECT

    std::unique_ptr<InputHooks> makeHooks(Recorder& rec, FakeBackend** backendOut = nullptr)
    {
        auto backend = std::make_unique<FakeBackend>();
        if (backendOut)
            *backendOut = backend.get();
        auto hooks = std::make_unique<InputHooks>(0, std::move(backend));
        hooks->setKeyboardCallback(&Recorder::key, &rec);
        hooks->setMouseCallback(&Recorder::button, &rec);
        return hooks;
    }

private slots:
    void keyboard_data()
    {
        QTest::addColumn<std::vector<KeyEvent>>("events");
        QTest::addColumn<std::vector<KeyReport>>("expected");
        using E = std::vector<KeyEvent>;
        using R = std::vector<KeyReport>;
        QTest::newRow("held letter") << E{down(0x1E), down(0x1E), down(0x1E), down(0x1E), up(0x1E)}
                                     << R{{0x04, true}, {0x04, false}};
        QTest::newRow("repeated key-up") << E{down(0x10), up(0x10), up(0x10)} << R{{0x14, true}, {0x14, false}};
        QTest::newRow("up without down") << E{up(0x1E)} << R{};
        QTest::newRow("main Enter") << E{down(0x1C), up(0x1C)} << R{{0x28, true}, {0x28, false}};
        QTest::newRow("keypad Enter") << E{down(0x1C, 1), up(0x1C, 1)} << R{{0x58, true}, {0x58, false}};
        QTest::newRow("keypad Enter, injected") << E{down(0x1C, 0x11)} << R{{0x58, true}};
        QTest::newRow("Alt+Print Screen") << E{sysDown(0x54, kFlagAltDown), sysUp(0x54, kFlagAltDown)}
                                          << R{{0x46, true}, {0x46, false}};
        QTest::newRow("SysRq without Alt") << E{down(0x54), up(0x54)} << R{};
        QTest::newRow("Print Screen") << E{down(0x37, 1), up(0x37, 1)} << R{{0x46, true}, {0x46, false}};
        QTest::newRow("Ctrl+Break") << E{down(0x46, 1), up(0x46, 1)} << R{{0x48, true}, {0x48, false}};
        QTest::newRow("Scroll Lock") << E{down(0x46)} << R{{0x47, true}};
        QTest::newRow("Pause") << E{down(0x45), up(0x45)} << R{{0x48, true}, {0x48, false}};
        QTest::newRow("Num Lock") << E{down(0x45, 1), up(0x45, 1)} << R{{0x53, true}, {0x53, false}};
        QTest::newRow("right Ctrl") << E{down(0x1D, 1), up(0x1D, 1)} << R{};
        QTest::newRow("right Windows") << E{down(0x5C, 1), up(0x5C, 1)} << R{};
        QTest::newRow("left Ctrl") << E{down(0x1D)} << R{{0xE0, true}};
        QTest::newRow("right Shift needs the extended flag") << E{down(0x36), down(0x36, 1)} << R{{0xE5, true}};
        QTest::newRow("left Windows") << E{down(0x5B, 1)} << R{{0xE3, true}};
        QTest::newRow("scan code above 0xFF counts as 0") << E{down(0x11E), down(0x100)} << R{};
        QTest::newRow("Alt+letter as system key") << E{sysDown(0x1E, kFlagAltDown), sysUp(0x1E, kFlagAltDown)}
                                                  << R{{0x04, true}, {0x04, false}};
        QTest::newRow("non-action hook code counts as up")
            << E{down(0x1E), {3, kKeyDown, 0x1E, 0}, {3, kKeyDown, 0x1E, 0}} << R{{0x04, true}, {0x04, false}};
        QTest::newRow("two keys overlap") << E{down(0x2A), down(0x1E), down(0x1E), up(0x2A), up(0x1E)}
                                          << R{{0xE1, true}, {0x04, true}, {0xE1, false}, {0x04, false}};
        QTest::newRow("102nd key") << E{down(0x56)} << R{{0x64, true}};
        QTest::newRow("F23 via scan 0x6E") << E{down(0x6E)} << R{{0x72, true}};
    }

    void keyboard()
    {
        QFETCH(std::vector<KeyEvent>, events);
        QFETCH(std::vector<KeyReport>, expected);
        Recorder rec;
        auto hooks = makeHooks(rec);
        for (const KeyEvent& e : events)
            hooks->keyboardProcedure(e.hookCode, e.message, e.scan, e.flags);
        QCOMPARE(rec.keys, expected);
    }

    // Nothing is reported while nobody listens, yet the key state follows: a key held
    // before the callback arrives is reported only when released.
    void withoutCallbacks()
    {
        Recorder rec;
        InputHooks hooks(0, std::make_unique<FakeBackend>());
        QVERIFY(!hooks.mouseProcedure(0, kLButtonDown, 1, 2));
        hooks.keyboardProcedure(0, kKeyDown, 0x1E, 0);
        QVERIFY(hooks.keyDownState(0x04));
        hooks.setKeyboardCallback(&Recorder::key, &rec);
        hooks.keyboardProcedure(0, kKeyDown, 0x1E, 0);
        hooks.keyboardProcedure(0, kKeyUp, 0x1E, 0);
        QCOMPARE(rec.keys, (std::vector<KeyReport>{{0x04, false}}));
        QVERIFY(!hooks.keyDownState(0x04));
    }

    void mouse_data()
    {
        QTest::addColumn<quint32>("message");
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("isDown");
        // Down, up and double click of left, right and middle (0x201..0x209).
        for (int b = 0; b < 3; ++b) {
            QTest::addRow("button %d down", b) << quint32(0x0201 + 3 * b) << 0xF0 + b << true;
            QTest::addRow("button %d up", b) << quint32(0x0202 + 3 * b) << 0xF0 + b << false;
            QTest::addRow("button %d double click", b) << quint32(0x0203 + 3 * b) << 0 << false;
        }
        // Move, wheel, x button down, horizontal wheel.
        for (quint32 m : {0x0200u, 0x020Au, 0x020Bu, 0x020Eu})
            QTest::addRow("message %x", m) << m << 0 << false;
    }

    void mouse()
    {
        QFETCH(quint32, message);
        QFETCH(int, code);
        QFETCH(bool, isDown);
        Recorder rec;
        auto hooks = makeHooks(rec);
        // Reported on every event, with the position of each.
        QCOMPARE(hooks->mouseProcedure(0, message, 100, -20), code != 0);
        QCOMPARE(hooks->mouseProcedure(0, message, 1919, 1079), code != 0);
        std::vector<ButtonReport> expected;
        if (code != 0)
            expected = {{code, isDown, 100, -20}, {code, isDown, 1919, 1079}};
        QCOMPARE(rec.buttons, expected);
    }

    void installAndRemove()
    {
        Recorder rec;
        FakeBackend* backend = nullptr;
        auto hooks = makeHooks(rec, &backend);
        QCOMPARE(InputHooks::current(), hooks.get());
        QCOMPARE(backend->installs, 1); // the constructor installs
        QVERIFY(hooks->hooksInstalled());
        // Installing again removes the old hooks first.
        QVERIFY(hooks->installHooks());
        QCOMPARE(backend->removals, 1);
        QCOMPARE(backend->installs, 2);
        hooks->removeHooks();
        QVERIFY(!hooks->hooksInstalled());
        // A failed install leaves nothing installed and reports failure.
        backend->failInstall = true;
        QVERIFY(!hooks->installHooks());
        QVERIFY(!hooks->hooksInstalled());
        hooks.reset();
        QCOMPARE(InputHooks::current(), nullptr);
    }

    void copyDataProcedure()
    {
        Recorder rec;
        auto hooks = makeHooks(rec);
        const char text[] = "x";
        QVERIFY(!hooks->copyDataProcedure({0x250F, 1, text})); // nobody registered: not handled
        hooks->setCopyDataCallback(&Recorder::copy, &rec, nullptr);
        QVERIFY(hooks->hasCopyDataCallback());
        QVERIFY(hooks->copyDataProcedure({0x1234, 1, text})); // any tag is consumed
        QCOMPARE(rec.copies.size(), std::size_t(1));
        QCOMPARE(rec.copies[0].dwData, std::uintptr_t(0x1234));
        QCOMPARE(rec.copies[0].lpData, static_cast<const void*>(text));
    }

    void copyDataDecision_data()
    {
        QTest::addColumn<quint64>("tag");
        QTest::addColumn<std::vector<char>>("buffer");
        QTest::addColumn<quint32>("cbData");
        QTest::addColumn<bool>("show");
        QTest::addColumn<QString>("text");
        auto bytes = [](const char* s, std::size_t n) { return std::vector<char>(s, s + n); };
        QTest::newRow("terminated, length without zero") << quint64(0x250F) << bytes("Hello", 6) << 5u << true
                                                         << QStringLiteral("Hello");
        QTest::newRow("length counts the zero") << quint64(0x250F) << bytes("Hello", 6) << 6u << false << QString();
        QTest::newRow("other tag") << quint64(0x2510) << bytes("Hello", 6) << 5u << false << QString();
        QTest::newRow("two-byte characters") << quint64(0x250F) << bytes("H\xC3\xA9llo", 7) << 6u << true
                                             << QString::fromUtf8("H\xC3\xA9llo");
        QTest::newRow("cut inside a character") << quint64(0x250F) << bytes("H\xC3\xA9llo", 7) << 2u << false
                                                << QString();
        // Bytes after cbData would make the text longer than cbData.
        QTest::newRow("unterminated, read to cbData") << quint64(0x250F) << bytes("HelloWorld", 11) << 5u << true
                                                      << QStringLiteral("Hello");
        QTest::newRow("zero inside cbData") << quint64(0x250F) << bytes("Hi\0There", 9) << 8u << false << QString();
        QTest::newRow("invalid UTF-8") << quint64(0x250F) << bytes("\xFF\xFE", 3) << 2u << false << QString();
        QTest::newRow("empty text") << quint64(0x250F) << bytes("", 1) << 0u << true << QString();
        QTest::newRow("exactly cbData bytes, no terminator") << quint64(0x250F) << bytes("Warn!", 5) << 5u << true
                                                             << QStringLiteral("Warn!");
        QTest::newRow("no buffer") << quint64(0x250F) << std::vector<char>() << 5u << false << QString();
    }

    // The buffer holds exactly its bytes: the address sanitizer build catches a read past them.

    void copyDataDecision()
    {
        QFETCH(quint64, tag);
        QFETCH(std::vector<char>, buffer);
        QFETCH(quint32, cbData);
        QFETCH(bool, show);
        QFETCH(QString, text);
        const copy_data::Decision d =
            copy_data::decide({std::uintptr_t(tag), cbData, buffer.empty() ? nullptr : buffer.data()});
        QCOMPARE(d.show, show);
        if (show)
            QCOMPARE(d.text, text);
    }

    void evdevActions_data()
    {
        QTest::addColumn<QList<int>>("event");   // type, code, value
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("isDown");
        QTest::newRow("key A press") << QList<int>{1, 30, 1} << int(evdev::Action::Key) << 0x04 << true;
        QTest::newRow("key A repeat") << QList<int>{1, 30, 2} << int(evdev::Action::Key) << 0x04 << true;
        QTest::newRow("key A release") << QList<int>{1, 30, 0} << int(evdev::Action::Key) << 0x04 << false;
        QTest::newRow("left button") << QList<int>{1, BTN_LEFT, 1} << int(evdev::Action::Button) << 0xF0 << true;
        QTest::newRow("right button up") << QList<int>{1, BTN_RIGHT, 0} << int(evdev::Action::Button) << 0xF1 << false;
        QTest::newRow("middle button") << QList<int>{1, BTN_MIDDLE, 1} << int(evdev::Action::Button) << 0xF2 << true;
        QTest::newRow("side button") << QList<int>{1, BTN_SIDE, 1} << int(evdev::Action::None) << 0 << false;
        QTest::newRow("relative motion") << QList<int>{2, 0, 5} << int(evdev::Action::None) << 0 << false;
        QTest::newRow("sync") << QList<int>{0, 0, 0} << int(evdev::Action::None) << 0 << false;
        QTest::newRow("unnamed key (mute)") << QList<int>{1, 113, 1} << int(evdev::Action::None) << 0 << false;
        QTest::newRow("code beyond the table") << QList<int>{1, 0x2FF, 1} << int(evdev::Action::None) << 0 << false;
    }

    void evdevActions()
    {
        QFETCH(QList<int>, event);
        QFETCH(int, kind);
        QFETCH(int, result);
        QFETCH(bool, isDown);
        const evdev::Action a = evdev::actionForEvent(event[0], event[1], event[2]);
        QCOMPARE(int(a.kind), kind);
        QCOMPARE(int(a.code), result);
        if (kind != evdev::Action::None)
            QCOMPARE(a.isDown, isDown);
    }

    // The scan-code and evdev tables give only usages the key-name table names, and the
    // evdev table agrees with the kernel's mapping.
    void tablesAgainstTheKernel()
    {
        Recorder rec;
        auto hooks = makeHooks(rec);
        std::set<int> named;
        for (const auto& [usage, key] : kKernel)
            named.insert(usage);
        for (const auto& [key, vk] : hooks->scanToVirtualKey()) {
            const int usage = hooks->usageForScanCode(key >> 8, key & 1);
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
