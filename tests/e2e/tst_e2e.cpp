// The real program on a private X server, driven only by X input (xdotool through
// XTEST) at the window's pixels, as a user would; after every step the wire log, the
// virtual mouse and the profile files must show what the step produces.
#include "device/protocol.h"
#include "rig.h"

#include <QImage>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kTitle = u"CORVANE SKARN MOUSE GX17"_s;
const QString kP1 = u"modules/setting/p1.bin"_s;
const QString kApConfig = u"modules/setting/apConfig.bin"_s;
constexpr int kHangGuardMs = 30000;   // generous: the sanitizer builds run this too
constexpr int kStartGuardMs = 120000; // a sanitizer build on a loaded machine starts slowly
constexpr int kSettleMs = 5000;       // a page redraws within this after its data changed
constexpr int kQuietMs = 600;         // the wire counts as done after this long without a line
constexpr int kAnimationMs = 350;     // menus and dialogs fade in
constexpr int kProtectionMs = 1000;   // the frame stays covered at least this long after start
constexpr int kCloseTries = 5;        // a click during the busy protection is not taken

struct Pt {
    int x, y;
};

// Polls every 100 ms (a poll may start a process) until done or the guard runs out.
bool waitFor(const std::function<bool()>& done, int ms = kHangGuardMs)
{
    return QTest::qWaitFor([&] { return done() || (QTest::qWait(100), false); }, ms);
}

// One private X display, one private installation copy and the program running in it.
class Desk
{
public:
    ~Desk()
    {
        if (QTest::currentTestFailed() && !display.isEmpty())   // the screen at the failing step
            screen().save(QStringLiteral(CORVANE_BINARY_DIR "/e2e-%1.png").arg(QLatin1String(QTest::currentDataTag())));
        for (QProcess* p : {&app, &xvfb}) {
            p->terminate();
            if (!p->waitForFinished(kHangGuardMs / 6))
                p->kill();
        }
    }

    // Why no run is possible here (empty: the private display runs).
    QString openDisplay()
    {
        for (const char* tool : {"Xvfb", "xdotool", "import"})
            if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
                return QLatin1String(tool) + u" is not installed"_s;
        // The server takes a free display number and writes it to its output once it listens.
        xvfb.start(u"Xvfb"_s, {u"-displayfd"_s, u"1"_s, u"-screen"_s, u"0"_s, u"1280x800x24"_s, u"-nolisten"_s, u"tcp"_s});
        if (xvfb.waitForReadyRead(kHangGuardMs))
            display = u":"_s + QString::fromLatin1(xvfb.readLine().trimmed());
        return display.isEmpty() ? u"no private X display could be started"_s : QString();
    }

    // Starts the program from a portable copy of the build's; true once its window shows.
    bool launch(bool is560)
    {
        const QString bin = QStringLiteral(CORVANE_BINARY_DIR);
        QProcess::execute(u"cp"_s, {u"-r"_s, bin + u"/corvane-config"_s, bin + u"/modules"_s, dir.path()});
        QDir(bin).mkdir(u"e2e"_s);
        if (is560) {
            QSettings config(path(kApConfig), QSettings::IniFormat);
            config.setValue(u"mouse/icType"_s, u"560"_s);
            config.setValue(u"mouse/isGun"_s, false);
        }
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(u"QT_QPA_PLATFORM"_s);
        env.remove(u"CORVANE_SCENE_DIR"_s);
        env.insert(u"DISPLAY"_s, display);
        for (const auto& [var, sub] : {std::pair{"XDG_RUNTIME_DIR", "run"}, {"XDG_DATA_HOME", "data"}, {"XDG_CONFIG_HOME", "config"}}) {
            QDir(dir.path()).mkdir(QLatin1String(sub), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            env.insert(QLatin1String(var), path(QLatin1String(sub)));
        }
        env.insert(u"GSETTINGS_BACKEND"_s, u"memory"_s);   // the pointer settings stay private
        env.insert(u"CORVANE_HID_LOG"_s, path(u"wire.log"_s));
        app.setProcessEnvironment(env);
        app.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        app.setStandardOutputFile(QProcess::nullDevice());
        started.start();
        app.start(path(u"corvane-config"_s), {u"--virtual-mouse"_s});
        const QString shell = QString::fromUtf8(run(u"xdotool"_s, {u"search"_s, u"--sync"_s, u"--onlyvisible"_s, u"--name"_s, kTitle,
                                                                 u"getwindowgeometry"_s, u"--shell"_s}, kStartGuardMs));
        const auto field = [&](const QString& key) {
            return QRegularExpression(u"^"_s + key + u"=(\\d+)$"_s, QRegularExpression::MultilineOption).match(shell).captured(1).toInt();
        };
        origin = {field(u"X"_s), field(u"Y"_s)};
        return field(u"WINDOW"_s) != 0;
    }

    QString path(const QString& relative) const { return dir.filePath(relative); }

    // Runs a helper program on the display and gives back what it printed.
    QByteArray run(const QString& program, const QStringList& args, int ms = kHangGuardMs) const
    {
        QProcess p;
        QProcessEnvironment env = app.processEnvironment();
        env.remove(u"CORVANE_HID_LOG"_s);   // the display is the program's own
        p.setProcessEnvironment(env);
        p.start(program, args);
        p.waitForFinished(ms);
        return p.readAllStandardOutput().trimmed();
    }
    // A chain of xdotool commands ("keydown a sleep 0.15 keyup a"), then time for the fade-in.
    void xdo(const QString& chain) const
    {
        run(u"xdotool"_s, chain.split(u' ', Qt::SkipEmptyParts));
        QTest::qWait(kAnimationMs);
    }
    QString moveTo(Pt p) const { return u"mousemove %1 %2 "_s.arg(origin.x + p.x).arg(origin.y + p.y); }
    void click(std::initializer_list<Pt> points) const
    {
        for (Pt p : points)
            xdo(moveTo(p) + u"click 1"_s);
    }
    void drag(Pt from, Pt to) const
    {
        xdo(moveTo(from) + u"mousedown 1 sleep 0.1 "_s + moveTo({from.x, (from.y + to.y) / 2}) + u"sleep 0.1 "_s
            + moveTo(to) + u"sleep 0.1 mouseup 1"_s);
    }
    QImage screen() const { return QImage::fromData(run(u"import"_s, {u"-window"_s, u"root"_s, u"png:-"_s}), "PNG"); }
    QImage crop(const QRect& r) const { return screen().copy(r.translated(origin.x, origin.y)); }
    // The frame is uncovered (no dialog, mask or protection) when Save shows its own colour:
    // blue, or red while something is unsaved.
    bool frameShown(int ms = kHangGuardMs) const
    {
        const QList<QRgb> save = {qRgb(0x22, 0x9b, 0xd0), qRgb(0xff, 0x30, 0x30)};
        return waitFor([&] { return save.contains(screen().pixel(origin.x + 967, origin.y + 612)); }, ms);
    }
    // Closes a dialog (after a picture of it when one is named), again while a click is not taken.
    bool closeDialog(Pt closeButton, const char* picture = nullptr) const
    {
        if (picture)
            shot(picture);
        for (int i = 0; i < kCloseTries; ++i) {
            click({closeButton});
            if (frameShown(kHangGuardMs / kCloseTries))
                return true;
        }
        return false;
    }
    void shot(const char* step) const   // for review: <build>/e2e/<family>-<step>.png
    {
        const QString tag = QLatin1String(QTest::currentDataTag());
        screen().save(QStringLiteral(CORVANE_BINARY_DIR "/e2e/%1-%2.png").arg(tag, QLatin1String(step)));
    }

    // What the virtual mouse holds, from the program's own control command.
    QJsonObject state() const
    {
        return QJsonDocument::fromJson(run(path(u"corvane-config"_s), {u"--virtual-mouse-ctl"_s, u"state"_s})).object();
    }
    // A value of a settings file of the copy, and the same value as a list of numbers.
    QVariant value(const QString& key, const QString& file = kP1) const
    {
        return QSettings(path(file), QSettings::IniFormat).value(key);
    }
    QList<int> numbers(const QString& key, const QString& file = kP1) const
    {
        QList<int> out;
        for (const QString& s : value(key, file).toStringList())
            out << s.trimmed().toInt();
        return out;
    }

    QList<Step> wire() const { return decodeSteps(readWireLog(path(u"wire.log"_s)), MouseRig::kCode); }
    void mark() { seen = wire().size(); }
    // What was sent since the mark, once the wire has been quiet for a while.
    QList<Step> sinceMark()
    {
        QList<Step> all;
        QElapsedTimer quiet;
        waitFor([&] {
            const QList<Step> now = wire();
            if (now.size() != all.size() || !quiet.isValid())
                quiet.start();
            all = now;
            return quiet.elapsed() >= kQuietMs;
        });
        return all.mid(seen);
    }
    QList<int> ops() { return opcodesOf(sinceMark()); }        // one per command
    QString sent() { return describe(sinceMark()); }           // empty: nothing

    QProcess app;
    QElapsedTimer started;

private:
    Pt origin{0, 0};
    QTemporaryDir dir;
    QProcess xvfb;
    QString display;
    qsizetype seen = 0;
};

// One entry of the mouse state (j >= 0: an entry of a nested list), and n entries of a nested list.
int at(const QJsonObject& o, const char* key, int i, int j = -1)
{
    const QJsonValue v = o.value(QLatin1String(key)).toArray().at(i);
    return j < 0 ? v.toInt(-1) : v.toArray().at(j).toInt(-1);
}
QList<int> slice(const QJsonObject& o, const char* key, int i, int from, int n)
{
    QList<int> out;
    for (int k = 0; k < n; ++k)
        out << at(o, key, i, from + k);
    return out;
}

} // namespace

// One family as the user sees and the mouse keeps it.
struct Walk {
    bool is560;
    int dy;                        // shift of the boxes below the Editor box (shorter without the gun entry)
    QList<int> rateOps, saveOps;   // opcodes a report-rate change and a Save send (at least)
    int macroOp;                   // the upload of one macro
};
Q_DECLARE_METATYPE(Walk)

class tst_E2E : public QObject
{
    Q_OBJECT
private slots:
    void walk_data()
    {
        QTest::addColumn<Walk>("family");
        QTest::newRow("553") << Walk{false, 0, {0x01}, {0x11, 0x10, 0x0D, 0x12}, 0x13};
        QTest::newRow("560") << Walk{true, -24, {0x03, 0x03, 0x03, 0x03}, {0x0C, 0x0D}, 0x0F};
    }
    void walk();
};

void tst_E2E::walk()
{
    QFETCH(Walk, family);
    Desk d;
    if (const QString why = d.openDisplay(); !why.isEmpty())
        QSKIP(qPrintable(u"no end-to-end run: "_s + why));
    QVERIFY2(d.launch(family.is560), "the window never appeared");

    // Start: the frame (a blue Save button) shows only after the protection.
    QVERIFY2(d.frameShown(), "the frame never appeared");
    QVERIFY(d.started.elapsed() >= kProtectionMs);
    d.shot("frame");
    // The report-rate and lighting-mode boxes as the factory profile shows them.
    const QRect rateBox(32, 514 + family.dy, 216, 24), modeBox(778, 365, 212, 24);
    const QImage factoryRate = d.crop(rateBox), factoryMode = d.crop(modeBox);
    QCOMPARE(d.state().value(u"family"_s).toString(), family.is560 ? u"560"_s : u"553"_s);

    // What the mouse keeps of the current profile (block 1 in the 560 family).
    const auto rate = [&](const QJsonObject& s) { return at(s, "reportRates", family.is560 ? 1 : 0); };
    const auto dpiCode = [&](const QJsonObject& s) { return family.is560 ? at(s, "profileBlocks", 1, 84) : at(s, "dpiSet", 0); };
    const auto stageColor = [&](const QJsonObject& s) { return family.is560 ? at(s, "profileBlocks", 0, 16) : at(s, "stageColors", 2, 0); };
    const auto effect = [&](const QJsonObject& s) { return family.is560 ? at(s, "profileBlocks", 1, 71) : at(s, "ledEffect", 0); };
    const auto keyEntry = [&](const QJsonObject& s, int button) {
        return slice(s, "keyMatrices", qMax(0, at(s, "activeKeyMatrix", 0) - 1), button * 4, 4);
    };
    QJsonObject s;
    const auto settle = [&](const std::function<bool()>& done) { return waitFor([&] { s = d.state(); return done(); }); };

    // Report rate: 1000 Hz goes out at once (code 1), no Save needed.
    d.mark();
    d.click({{139, 526 + family.dy}, {139, 622 + family.dy}});
    QVERIFY2(settle([&] { return rate(s) == 1; }), qPrintable(QString::number(rate(s))));
    QCOMPARE(d.ops(), family.rateOps);
    QCOMPARE(d.value(u"mouse/reportRate"_s).toInt(), 3);

    // DPI stage 1 dragged up to 3200, its colour to green, lighting to Breath: nothing leaves before Save.
    d.mark();
    d.drag({786, 272}, {786, 200});   // the knob of 500 to the height of 3200
    d.click({{786, 318}});
    d.shot("palette");
    d.click({{824, 281}, {969, 253}, {883, 377}, {883, 425}});
    // Opened again, the mode list lights only the row under the pointer, none of those
    // that slid under it while the list closed.
    d.click({{883, 377}});
    d.xdo(d.moveTo({883, 521}));
    const auto litRows = [&] {
        const QImage list = d.crop(QRect(960, 402, 1, 24 * 10));   // right of the texts
        int lit = 0;
        for (int row = 0; row < 10; ++row)
            lit += list.pixel(0, 24 * row) == qRgb(0x22, 0x9b, 0xd0);
        return lit;
    };
    QVERIFY2(waitFor([&] { return litRows() == 1; }, kSettleMs), qPrintable(QString::number(litRows()) + u" rows lit"_s));
    d.click({{883, 377}});
    QCOMPARE(d.sent(), QString());

    // A key combination on button 4 through the Group capture: L Ctrl + L Shift + A.
    // The picture under the dialog shows no button as pointed at (callout 1 lies under the field).
    d.click({{139, 223}, {512, 293}});
    d.xdo(d.moveTo({512, 480}));
    const QRect callout1(311, 192, 26, 26);
    const QImage notPointed = d.crop(callout1);
    d.click({{483, 229}});
    QVERIFY2(d.crop(callout1) == notPointed, "a button of the picture lights up under the key dialog");
    d.xdo(u"keydown Control_L keydown Shift_L keydown a keyup a keyup Shift_L keyup Control_L"_s);
    d.shot("key-dialog");
    d.click({{616, 229}});
    QVERIFY(d.closeDialog({645, 116}));

    // A macro recorded from real key presses with the delay between them.
    constexpr int kHeldMs = 150;
    d.click({{139, 427}, {257, 521}, {764, 301}, {765, 187}});
    d.xdo(u"keydown a sleep %1 keyup a"_s.arg(kHeldMs / 1000.0));
    d.click({{765, 187}});
    QVERIFY(d.closeDialog({809, 118}, "macro-editor"));
    const QString macroFile = u"modules/macro/Macro_0.bin"_s;
    QVERIFY2(waitFor([&] { return QFile::exists(d.path(macroFile)); }), "the recorded macro was not stored");
    QCOMPARE(d.value(u"config/total"_s, macroFile).toInt(), 3);
    QCOMPARE(d.value(u"macro/0"_s, macroFile).toString(), u"1,A"_s);
    const QStringList delay = d.value(u"macro/1"_s, macroFile).toString().split(u',');
    QCOMPARE(delay.value(0), u"0"_s);
    QVERIFY2(delay.value(1).toInt() >= kHeldMs, qPrintable(delay.join(u',')));
    QCOMPARE(d.value(u"macro/2"_s, macroFile).toString(), u"2,A"_s);

    // ... assigned to button 5: its block goes to macro slot 5 at once (the A press, its delay, the release).
    d.mark();
    d.click({{139, 255}, {512, 341}, {512, 277}, {512, 301}});
    QVERIFY(d.closeDialog({645, 116}));
    QCOMPARE(d.ops(), QList<int>({family.macroOp}));
    const QList<int> block = slice(d.state(), "macros", 4, 0, 8);
    QCOMPARE(block.mid(0, 2), QList<int>({0, 1}));
    QVERIFY2(block.value(2) >= kHeldMs / 10 && block.mid(3) == QList<int>({4, 0x81, 4, 0, 0}), qPrintable(QDebug::toString(block)));

    // Save: everything above reaches the mouse and p1.bin.
    d.mark();
    d.click({{967, 619}});
    QVERIFY2(settle([&] { return dpiCode(s) == 31 && effect(s) == 3 && keyEntry(s, 3) == QList<int>({0, 3, 4, 0}); }),
             qPrintable(u"dpi %1 effect %2 key4 %3"_s.arg(dpiCode(s)).arg(effect(s)).arg(QDebug::toString(keyEntry(s, 3)))));
    QCOMPARE(stageColor(s), 1);
    QCOMPARE(keyEntry(s, 4), QList<int>({9, 0, 5, 0}));   // the macro in slot 5
    const QList<int> ops = d.ops();
    for (int op : family.saveOps)
        QVERIFY2(ops.contains(op), qPrintable(u"Save sent no %1 (sent %2)"_s.arg(op, 2, 16).arg(QDebug::toString(ops))));
    QCOMPARE(d.numbers(u"mouse/dpiValueArray"_s).value(0), 3200);
    QCOMPARE(d.numbers(u"mouse/dpiColorValue"_s).mid(0, 3), QList<int>({0, 255, 0}));
    QCOMPARE(d.numbers(u"mouse/lightValue"_s).value(0), 1);
    QCOMPARE(d.numbers(u"mouseKeyMatrix/3"_s), QList<int>({2, 3, 4, 0}));

    // A new profile becomes current and sends its own (factory) settings; the selector brings the first back.
    const auto profileNo = [&] { return d.value(u"mouse/profileNo"_s, kApConfig).toInt(); };
    d.mark();
    d.click({{807, 619}, {563, 451}});
    QVERIFY(settle([&] { return rate(s) == 2 && profileNo() == 1; }));
    QVERIFY(d.closeDialog({665, 180}, "profile-dialog"));
    d.click({{831, 27}, {831, 53}});
    QVERIFY(settle([&] { return rate(s) == 1 && dpiCode(s) == 31 && profileNo() == 0; }));
    QCOMPARE(keyEntry(s, 3), QList<int>({0, 3, 4, 0}));
    QVERIFY(d.ops().contains(family.rateOps.value(0)));

    // Reset -> OK: the profile and the mouse are back at the factory values.
    d.click({{887, 619}});
    d.shot("reset-box");
    d.click({{681, 348}});
    QVERIFY(settle([&] { return rate(s) == 2 && dpiCode(s) == 4 && keyEntry(s, 3) == QList<int>({1, 0, 244, 0}); }));
    QCOMPARE(d.numbers(u"mouseKeyMatrix/3"_s), QList<int>({0, 0, 244, 0}));
    QCOMPARE(d.value(u"mouse/reportRate"_s).toInt(), 2);
    QVERIFY(d.frameShown());
    d.shot("after-reset");
    QVERIFY2(waitFor([&] { return d.crop(rateBox) == factoryRate; }, kSettleMs), "the report-rate box does not show the factory rate after the reset");
    QVERIFY2(waitFor([&] { return d.crop(modeBox) == factoryMode; }, kSettleMs), "the lighting-mode box does not show the factory mode after the reset");
    d.sinceMark();

    // Gun editor: a changed Y goes to the slot on close; closing it unchanged sends nothing.
    if (!family.is560) {
        d.mark();
        d.click({{139, 455}, {787, 295}});
        d.xdo(u"key ctrl+a"_s);
        d.xdo(u"type 12"_s);
        d.xdo(u"key Return"_s);
        QVERIFY(d.closeDialog({809, 118}, "gun-editor"));
        QVERIFY(settle([&] { return at(s, "gunSlots", 0, 2) == 12; }));
        QVERIFY(d.ops().contains(0x04));
        QCOMPARE(d.numbers(u"gunData/0"_s, u"modules/gun/gunData.bin"_s).value(4), 12);
        d.mark();
        d.click({{139, 455}});
        QVERIFY(d.closeDialog({809, 118}));
        QCOMPARE(d.sent(), QString());
    }

    // Pointer settings: "Scroll one Screen" stores 1000, a click towards Fast raises the speed; no wire traffic.
    d.mark();
    d.click({{139, 565 + family.dy}, {541, 421}, {620, 255}});
    QVERIFY(waitFor([&] { return d.value(u"mouse/scrollRate"_s).toInt() == 1000; }));
    QVERIFY(d.value(u"mouse/mouseRate"_s).toInt() > 170);
    QVERIFY(d.closeDialog({697, 186}, "system-page"));
    QCOMPARE(d.sent(), QString());

    // No command block of the whole run carries a wrong checksum.
    QList<QByteArray> blocks = blocksOf(d.wire());
    blocks.removeIf([](const QByteArray& b) { return b.size() != protocol::kBlockSize; });
    QVERIFY(blocks.size() > 10);
    for (const QByteArray& b : std::as_const(blocks))
        QVERIFY2(uint8_t(b[7]) == protocol::checksum(reinterpret_cast<const uint8_t*>(b.constData())), qPrintable(b.toHex(' ')));
    QCOMPARE(d.app.state(), QProcess::Running);
}

QTEST_GUILESS_MAIN(tst_E2E)
#include "tst_e2e.moc"
