// Runs every tests/qml/tst_*.qml (Qt Quick Test) with the host's objects published:
// ui_View is a real view on the virtual mouse in a scratch installation, hid its
// link, ui_Ctl a window control; wireLog reads back what went over the wire,
// virtualMouse what the mouse now keeps. Every file dialog of the view is cancelled.
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
        QVariantList guns;
        for (const FirmwareState::GunSlot& g : s.gunSlots)
            guns.append(QVariant(QVariantList{int(g.times), int(g.x), int(g.y)}));
        return {{QStringLiteral("reportRate"), int(s.reportRate[0])}, {QStringLiteral("gunSlots"), guns}};
    }

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
            rig->view->setFileChooser(std::make_unique<ScriptedChooser>(QString()));
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
        ctx->setContextProperty(QStringLiteral("installFiles"), files.get());
        ctx->setContextProperty(QStringLiteral("pointerCalls"), pointerCalls);
    }
    void cleanupTestCase()
    {
        control.view = nullptr;
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
