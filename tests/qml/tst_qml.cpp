// Runs every tests/qml/tst_*.qml (Qt Quick Test) with the host's objects published:
// ui_View is a real view on the virtual mouse in a scratch installation, hid its
// link, ui_Ctl a window control; wireLog reads back what went over the wire,
// virtualMouse what the mouse now keeps, fileDialogs answers the view's file dialogs.
#include "rig.h"
#include "platform/pointer_settings.h"
#include "ui_host/ui_controler.h"

#include <QApplication>
#include <QQmlContext>
#include <QQmlEngine>
#include <QVariantMap>
#include <QtQuickTest>

namespace {

QString hex(const QByteArray& bytes) { return QString::fromLatin1(bytes.toHex(' ')); }

QVariantList hexList(const uint8_t* data, int count)
{
    QVariantList out;
    for (int i = 0; i < count; ++i)
        out.append(int(data[i]));
    return out;
}

// The commands sent since mark(), decoded: one {opcode, block, payload} per command,
// bytes as spaced lower-case hex.
class WireLogReader : public QObject
{
    Q_OBJECT
public:
    explicit WireLogReader(MouseRig& rig) : rig(rig) {}
    Q_INVOKABLE void mark() { rig.mark(); }
    Q_INVOKABLE QVariantList commands() const
    {
        QVariantList out;
        for (const QList<Step>& command : splitCommands(rig.steps())) {
            const QList<QByteArray> blocks = blocksOf(command);
            out.append(QVariantMap{{QStringLiteral("opcode"), commandOpcode(command)},
                                   {QStringLiteral("block"), blocks.isEmpty() ? QString() : hex(blocks.first())},
                                   {QStringLiteral("payload"), hex(payloadOf(command))}});
        }
        return out;
    }
    Q_INVOKABLE QVariantList opcodes() const
    {
        QVariantList out;
        for (int op : opcodesOf(rig.steps()))
            out.append(op);
        return out;
    }

private:
    MouseRig& rig;
};

// What the virtual mouse keeps now (the fields the pages change).
class VirtualMouseState : public QObject
{
    Q_OBJECT
public:
    explicit VirtualMouseState(MouseRig& rig) : rig(rig) {}
    Q_INVOKABLE QVariantMap state() const
    {
        const FirmwareState s = rig.state();
        return {{QStringLiteral("reportRate"), int(s.reportRate[0])},
                {QStringLiteral("dpiStage"), int(s.dpiStage[0])},
                {QStringLiteral("dpiCount"), int(s.dpiCount)},
                {QStringLiteral("dpiSet"), hexList(s.dpiSet.data(), int(s.dpiSet.size()))},
                {QStringLiteral("ledEffect"), int(s.ledEffect)},
                {QStringLiteral("ledOption1"), int(s.ledOption1)},
                {QStringLiteral("ledOption2"), int(s.ledOption2)},
                {QStringLiteral("stageColors"), hexList(s.stageColors[0].data(), FirmwareState::kColorBytes)},
                {QStringLiteral("currentProfile"), int(s.currentProfile)},
                {QStringLiteral("gunSlots"), gunSlots(s)}};
    }
    static QVariantList gunSlots(const FirmwareState& s)
    {
        QVariantList out;
        for (const FirmwareState::GunSlot& g : s.gunSlots)
            out.append(QVariant(QVariantList{int(g.times), int(g.x), int(g.y)}));
        return out;
    }
    Q_INVOKABLE void pressDpiButton(int stage) { rig.mouse->pressDpiButton(stage); }

private:
    MouseRig& rig;
};

// Files of the scratch installation as they are on disk, the view's settings written out first.
class InstallFiles : public QObject
{
    Q_OBJECT
public:
    explicit InstallFiles(LinkRig& rig) : rig(rig) {}
    Q_INVOKABLE QString text(const QString& relative) const
    {
        for (QSettings* settings : rig.view->profileSettings)
            settings->sync();
        rig.view->globalSettings->sync();
        return QString::fromUtf8(readFileBytes(rig.install.file(relative)));
    }

private:
    LinkRig& rig;
};

// The desktop pointer settings the view applied, as "speed N", "double N", "lines N".
class PointerCalls : public QObject, public PointerSettings
{
    Q_OBJECT
public:
    Q_INVOKABLE QStringList calls() const { return recorded; }
    Q_INVOKABLE void clear() { recorded.clear(); }
    bool setPointerSpeed(int speed) override { return record(QStringLiteral("speed %1").arg(speed)); }
    bool setDoubleClickTime(int ms) override { return record(QStringLiteral("double %1").arg(ms)); }
    bool setWheelScrollLines(int lines) override { return record(QStringLiteral("lines %1").arg(lines)); }

private:
    bool record(const QString& call)
    {
        recorded.append(call);
        return true;
    }
    QStringList recorded;
};

// The view's file dialogs, answered without a window: every dialog gets the
// answer set last (empty: cancelled) and is counted.
class FileDialogs : public QObject
{
    Q_OBJECT
public:
    explicit FileDialogs(myQQuickView& view) : view(view) { setAnswer(QString()); }
    Q_INVOKABLE void setAnswer(const QString& path)
    {
        view.setFileChooser(std::make_unique<ScriptedChooser>(path, &log));
    }
    Q_INVOKABLE int opens() const { return log.opens; }
    Q_INVOKABLE int saves() const { return log.saves; }

private:
    myQQuickView& view;
    DialogLog log;
};

class Setup : public QObject
{
    Q_OBJECT
public slots:
    void qmlEngineAvailable(QQmlEngine* engine)
    {
        if (!rig) {
            Model model;
            model.isGun = true;
            rig = std::make_unique<LinkRig>(model);
            auto pointer = std::make_unique<PointerCalls>();
            pointerCalls = pointer.get();
            rig->view->setPointerSettings(std::move(pointer));
            rig->mark();
            // Every file dialog of the view is answered at once (cancelled unless a test says).
            dialogs = std::make_unique<FileDialogs>(*rig->view);
            window = std::make_unique<QWidget>();
            control.window = window.get();
            control.view = rig->view.get();
            wire = std::make_unique<WireLogReader>(*rig);
            mouse = std::make_unique<VirtualMouseState>(*rig);
            files = std::make_unique<InstallFiles>(*rig);
        }
        QQmlContext* ctx = engine->rootContext();
        ctx->setContextProperty(QStringLiteral("ui_View"), rig->view.get());
        ctx->setContextProperty(QStringLiteral("hid"), rig->link.get());
        ctx->setContextProperty(QStringLiteral("ui_Ctl"), &control);
        ctx->setContextProperty(QStringLiteral("wireLog"), wire.get());
        ctx->setContextProperty(QStringLiteral("virtualMouse"), mouse.get());
        ctx->setContextProperty(QStringLiteral("fileDialogs"), dialogs.get());
        ctx->setContextProperty(QStringLiteral("installFiles"), files.get());
        ctx->setContextProperty(QStringLiteral("pointerCalls"), pointerCalls);
    }
    void cleanupTestCase()
    {
        control.view = nullptr;
        dialogs.reset();
        files.reset();
        mouse.reset();
        wire.reset();
        rig.reset();
    }

private:
    std::unique_ptr<LinkRig> rig;
    std::unique_ptr<QWidget> window;
    Ui_Controler control;
    std::unique_ptr<WireLogReader> wire;
    std::unique_ptr<VirtualMouseState> mouse;
    std::unique_ptr<InstallFiles> files;
    std::unique_ptr<FileDialogs> dialogs;
    PointerCalls* pointerCalls = nullptr;   // owned by the view
};

} // namespace

// The view is a widget, so the application is a QApplication.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Setup setup;
    return quick_test_main_with_setup(argc, argv, "corvane", QUICK_TEST_SOURCE_DIR, &setup);
}

#include "tst_qml.moc"
