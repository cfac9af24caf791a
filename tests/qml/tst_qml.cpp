// Runs every tests/qml/tst_*.qml (Qt Quick Test) with the host's objects published:
// ui_View is a real view on the virtual mouse in a scratch installation, hid its
// link, ui_Ctl a window control, rigProbe reads the rig back. Every file dialog of
// the view is cancelled.
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

// The rig as the scene tests read it back: the commands sent since mark() ({opcode, block,
// payload}, spaced lower-case hex), what the mouse keeps and the installation's files.
class RigProbe : public QObject
{
    Q_OBJECT
public:
    explicit RigProbe(LinkRig& rig) : rig(rig) {}
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
    Q_INVOKABLE QVariantMap mouseState() const
    {
        const FirmwareState s = rig.state();
        QVariantList guns;
        for (const FirmwareState::GunSlot& g : s.gunSlots)
            guns.append(QVariant(QVariantList{int(g.times), int(g.x), int(g.y)}));
        return {{QStringLiteral("reportRate"), int(s.reportRate[0])}, {QStringLiteral("gunSlots"), guns}};
    }
    // The view's settings are written out first.
    Q_INVOKABLE QString fileText(const QString& relative) const
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
        Ui_Controler::registerSceneTypes();
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
            probe = std::make_unique<RigProbe>(*rig);
        }
        QQmlContext* ctx = engine->rootContext();
        ctx->setContextProperty(QStringLiteral("ui_View"), rig->view.get());
        ctx->setContextProperty(QStringLiteral("ui_Ctl"), &control);
        ctx->setContextProperty(QStringLiteral("hid"), rig->link.get());   // as the host publishes it
        ctx->setContextProperty(QStringLiteral("rigProbe"), probe.get());
        ctx->setContextProperty(QStringLiteral("pointerCalls"), pointerCalls);
    }
    void cleanupTestCase()
    {
        control.view = nullptr;
        probe.reset();
        rig.reset();
    }

private:
    std::unique_ptr<LinkRig> rig;
    std::unique_ptr<QWidget> window;
    Ui_Controler control;
    std::unique_ptr<RigProbe> probe;
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
