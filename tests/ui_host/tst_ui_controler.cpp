// The window control and the host view's calls into the scene: window set-up,
// the delivery of initUI (queued) and setProtectUI (direct), and dragging.
#include "test_support.h"

#include "device/hid_thread.h"
#include "ui_host/ui_controler.h"
#include "view/myqquickview.h"

#include <QQmlContext>
#include <QQuickItem>
#include <QSettings>
#include <QWidget>
#include <QtTest>

class TestUiControler : public QObject
{
    Q_OBJECT
    std::unique_ptr<ScratchInstall> install;

private slots:
    void init() { install = std::make_unique<ScratchInstall>(); }
    void cleanup() { install.reset(); }

    void initSetsUpTheWindowAndPublishesTheNames()
    {
        {
            QSettings global("modules/setting/apConfig.bin", QSettings::IniFormat);
            global.setValue("common/name", QString::fromUtf8("Title ► with, comma"));
        }
        QWidget window;
        Hid_Thread link;
        Ui_Controler control;
        control.init(&window, &link);
        QCOMPARE(window.objectName(), QString("Widget"));
        QCOMPARE(int(window.windowFlags()), 0x02000801);
        QCOMPARE(window.windowOpacity(), 1.0);
        QVERIFY(window.testAttribute(Qt::WA_TranslucentBackground));
        QCOMPARE(window.styleSheet(), QString("background:transparent;"));
        QVERIFY(control.view);
        QCOMPARE(control.view->objectName(), QString("ui_View"));
        QCOMPARE(control.view->parentWidget(), &window);
        QVERIFY(control.view->rootObject());
        QCOMPARE(window.size(), QSize(1024, 640));
        QCOMPARE(window.windowTitle(), QString::fromUtf8("Title ► with, comma"));
        QQmlContext* ctx = control.view->rootContext();
        QCOMPARE(ctx->contextProperty("ui_View").value<QObject*>(), control.view);
        QCOMPARE(ctx->contextProperty("hid").value<QObject*>(), &link);
        QCOMPARE(ctx->contextProperty("ui_Ctl").value<QObject*>(), &control);
    }

    void namedWindowKeepsItsName()
    {
        QWidget window;
        window.setObjectName("Main");
        Hid_Thread link;
        Ui_Controler control;
        control.init(&window, &link, false);
        QCOMPARE(window.objectName(), QString("Main"));
        QVERIFY(!control.view->rootObject());
        control.setBusy(100);        // no scene: nothing happens
        control.view->initUI();
        QCoreApplication::processEvents();
        QVERIFY(control.view->isEnabled());
    }

    void setBusyIsDirectAndZeroUnlocksAtOnce()
    {
        QWidget window;
        Hid_Thread link;
        Ui_Controler control;
        control.init(&window, &link);
        control.setBusy(60000);
        QVERIFY(!control.view->isEnabled());   // before any event is processed
        control.setBusy();
        QVERIFY(!control.view->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(control.view->isEnabled(), 2000);
    }

    void initUIQueuedTwiceLoadsOnceAndReadsTheStageEachTime()
    {
        {
            QSettings global("modules/setting/apConfig.bin", QSettings::IniFormat);
            global.setValue("mouse/profileNo", 2);
        }
        Hid_Thread link;   // outlives the window and the view in it, as in the main window
        QWidget window;
        Ui_Controler control;
        control.init(&window, &link);
        control.view->setLink(&link);
        QQuickItem* root = control.view->rootObject();
        QVERIFY(root);
        control.view->initUI();
        QVERIFY(!root->property("isPownOn").toBool());   // queued: not yet run
        QVERIFY(!root->isVisible());
        QTRY_VERIFY(root->property("isPownOn").toBool());
        QVERIFY(root->isVisible());
        QCOMPARE(control.view->currentProfile, 2);
        const QStringList firstMain = root->property("mainLang").toStringList();

        control.view->setCurrentProfile(0);
        control.view->setGlobalData("mouse/profileNo", 4);
        root->setProperty("currentDPI", 5);
        root->setProperty("mainLang", QStringList{"changed"});
        control.view->initUI();
        QCOMPARE(root->property("currentDPI").toInt(), 5);   // queued
        QTRY_VERIFY(root->property("currentDPI").toInt() != 5);
        QCOMPARE(control.view->currentProfile, 0);
        QCOMPARE(root->property("mainLang").toStringList(), QStringList{"changed"});
        QVERIFY(!firstMain.isEmpty());
    }

    void draggingMovesTheWindowByTheOffset()
    {
        QWidget window;
        Hid_Thread link;
        Ui_Controler control;
        control.onXChanged(10);   // before init: nothing
        control.onClose();
        control.init(&window, &link, false);
        window.move(100, 100);
        const QPoint start = window.pos();
        control.onXChanged(7);
        control.onYChanged(-3);
        QCOMPARE(window.pos(), start + QPoint(7, -3));
        window.show();
        control.onClose();
        QVERIFY(!window.isVisible());
    }
};

QTEST_MAIN(TestUiControler)
#include "tst_ui_controler.moc"
