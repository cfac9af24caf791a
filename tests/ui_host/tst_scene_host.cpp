// The real scene in the main window on the virtual mouse: the start-up protection
// with the language, the profile number and the DPI stage applied, and typed keys
// reaching the scene's text fields, the window's own widgets, the scene's disk
// cache, the scene's font.
#include "rig.h"

#include "app/widget.h"
#include "ui_host/scene_fonts.h"
#include "ui_host/ui_controler.h"

#include <QApplication>
#include <QDialog>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QGlyphRun>
#include <QLoggingCategory>
#include <QMenu>
#include <QRawFont>
#include <QTextLayout>
#include <QQmlComponent>
#include <QQuickItem>
#include <QQuickWindow>
#include <QPainter>
#include <QQmlEngine>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QtTest>


namespace {

// Polls every 2 ms until pred holds or timeoutMs passes (a hang guard).
template <typename Pred>
bool waitFor(Pred pred, int timeoutMs = 5000)
{
    QElapsedTimer t;
    t.start();
    while (!pred() && t.elapsed() < timeoutMs)
        QTest::qWait(2);
    return pred();
}

// How far two colours lie apart: the sum of their channel differences.
int distance(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
}
bool differ(QRgb a, QRgb b) { return distance(a, b) > 12; }

// The item of that name under item, delegates included (they are no QObject children).
QQuickItem* itemNamed(QQuickItem* item, QLatin1String name)
{
    if (item->objectName() == name)
        return item;
    for (QQuickItem* child : item->childItems())
        if (QQuickItem* found = itemNamed(child, name))
            return found;
    return nullptr;
}

} // namespace

class TestSceneHost : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);   // as the app draws
    }

    void startUpShowsTheFrameAfterTheProtection()
    {
        AppRig rig(Model{}, true);
        QQuickItem* root = rig.view()->rootObject();
        QVERIFY(root);
        QVERIFY(!root->isVisible());
        rig.view()->setGlobalData(QStringLiteral("common/language"), QStringLiteral("ChineseSimplified"));
        rig.view()->setGlobalData(QStringLiteral("mouse/profileNo"), 2);
        rig.mouse->pressDpiButton(4);   // not announced: the notification option is off
        rig.window->checkDevice();
        QVERIFY(waitFor([&] { return root->isVisible(); }));
        QElapsedTimer sinceInit;
        sinceInit.start();
        QVERIFY(!root->property("frameShown").toBool());
        QVERIFY(!rig.view()->isEnabled());
        QVERIFY(waitFor([&] { return root->property("frameShown").toBool(); }));
        // The scene's timers run on the animation clock, which rounds to a frame.
        QVERIFY2(sinceInit.elapsed() >= 1000 - 20, qPrintable(QString::number(sinceInit.elapsed())));
        QVERIFY(rig.view()->isEnabled());
        QVERIFY(root->property("isPownOn").toBool());
        QCOMPARE(rig.view()->currentProfile, 2);
        QCOMPARE(root->property("currentDPI").toInt(), 3);
        // Key names follow the language.
        QVariant name;
        QMetaObject::invokeMethod(root->findChild<QObject*>(QStringLiteral("keyCodeString")), "keycodeTostr",
                                  Q_RETURN_ARG(QVariant, name), Q_ARG(QVariant, 0xF0));
        QCOMPARE(name.toString(), QString::fromUtf8("鼠标左键"));

        // The mouse picture is drawn into the window where its drawing lies, as the SVG
        // renderer draws it over what lies beneath (the buttons' marks above it hidden).
        auto* drawing = root->findChild<QQuickItem*>(QStringLiteral("mouseDrawing"));
        QVERIFY(drawing);
        for (QQuickItem* mark : drawing->parentItem()->childItems())
            mark->setVisible(mark == drawing);
        rig.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(rig.window.get()));
        const QImage shown = rig.view()->grabFramebuffer();
        drawing->setVisible(false);
        QImage expected = rig.view()->grabFramebuffer();
        QSvgRenderer svg(QStringLiteral(":/modules/img/skin1/mouse/mouse.svg"));
        QPainter painter(&expected);
        painter.setRenderHint(QPainter::Antialiasing);   // as the scene graph paints
        svg.render(&painter, drawing->mapRectToScene(QRectF(0, 0, drawing->width(), drawing->height())));
        painter.end();
        int wrong = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                wrong += differ(shown.pixel(x, y), expected.pixel(x, y));
        QVERIFY2(wrong == 0, qPrintable(QString::number(wrong) + QStringLiteral(" pixels differ")));

        // The window body is one picture too: where nothing lies over it (the title-bar
        // band, a corner mark of the stage, the bottom strip) the window shows its pixels.
        QImage body(shown.size(), QImage::Format_RGB32);
        body.fill(Qt::black);
        painter.begin(&body);
        QSvgRenderer(QStringLiteral(":/modules/img/skin1/index/window.svg")).render(&painter, QRectF(0, 0, 1024, 640));
        painter.end();
        for (const QPoint at : {QPoint(150, 20), QPoint(284, 96), QPoint(150, 620)})
            QVERIFY2(!differ(shown.pixel(at), body.pixel(at)), qPrintable(QStringLiteral("%1,%2").arg(at.x()).arg(at.y())));

        // A drawn box (the selected DPI stage's colour block, 18 x 12 with a 2-px border):
        // its colour inside, its border along its edges and inside them, rounded corners.
        QQuickItem* stage = itemNamed(root, QLatin1String("stageBlock0"));
        QQuickItem* block = stage ? stage->childItems().value(0) : nullptr;
        QVERIFY(block && block->property("borderWidth").toInt() == 2);
        const QPoint at = block->mapToScene(QPointF(0, 0)).toPoint();
        const QRgb fill = block->property("color").value<QColor>().rgb();
        const QRgb border = block->property("borderColor").value<QColor>().rgb();
        QVERIFY(!differ(shown.pixel(at + QPoint(9, 6)), fill));
        for (const QPoint edge : {QPoint(9, 0), QPoint(9, 1), QPoint(0, 6), QPoint(17, 6), QPoint(9, 11)})
            QVERIFY2(!differ(shown.pixel(at + edge), border), qPrintable(QStringLiteral("%1,%2").arg(edge.x()).arg(edge.y())));
        // The corner pixel lies mostly outside the rounding: nearer what is beside the box than the border.
        const QRgb corner = shown.pixel(at), beside = shown.pixel(at - QPoint(1, 0));
        QVERIFY2(distance(corner, beside) < distance(corner, border), qPrintable(QString::number(corner, 16)));
    }

    void typedKeysReachTheScenesTextFields()
    {
        AppRig rig(Model{}, true);
        myQQuickView* view = rig.view();
        QQuickItem* root = view->rootObject();
        root->setVisible(true);
        QQmlComponent component(view->engine());
        component.setData("import QtQuick\nimport \"common\"\nRectInput { x: 400; y: 300; z: 1000; maxValue: 9999; textValue: \"\" }",
                          QUrl(Ui_Controler::sceneUrl().resolved(QUrl(QStringLiteral("probe.qml")))));
        std::unique_ptr<QObject> field(component.create(view->rootContext()));
        QVERIFY2(field, qPrintable(component.errorString()));
        qobject_cast<QQuickItem*>(field.get())->setParentItem(root);
        rig.window->show();
        QVERIFY(QTest::qWaitForWindowActive(rig.window.get()));

        QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(424, 310));
        QTest::keyClicks(view, QStringLiteral("42"));
        QCOMPARE(field->property("textValue").toString(), QStringLiteral("42"));

        // The keyboard focus leaves the view and comes back without a click (the
        // window activated again): the field that had it takes keys again.
        view->clearFocus();
        view->setFocus(Qt::ActiveWindowFocusReason);
        QTest::keyClicks(view, QStringLiteral("7"));
        QCOMPARE(field->property("textValue").toString(), QStringLiteral("427"));
    }

    // The window's own widgets keep their looks: a dialog opened over the window (a
    // file chooser of the profile or macro pages) draws its own background, so its
    // labels stay readable, and the tray menu opens in the window's greys.
    void widgetsOverTheWindowKeepTheirLooks()
    {
        AppRig rig(Model{}, true);
        QDialog dialog(rig.view());
        dialog.resize(40, 30);
        const QColor drawn = QColor::fromRgba(dialog.grab().toImage().pixel(20, 15));
        QCOMPARE(drawn, QApplication::palette().color(QPalette::Window));

        auto* menu = rig.window->findChild<QMenu*>();
        QVERIFY(menu);
        menu->popup(QPoint(0, 0));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        QCOMPARE(QColor(menu->grab().toImage().pixel(6, 6)), QColor(68, 69, 73));
        menu->hide();
    }

    // The compiled scene is kept for the next start: the disk cache takes every file of
    // it back (a file it refuses is compiled again at every start).
    void sceneComesFromTheDiskCacheOnTheNextStart()
    {
        QTemporaryDir cache;
        const EnvironmentPaths cacheHere{{"XDG_CACHE_HOME", cache.path()}};
        Ui_Controler::registerSceneTypes();
        QList<QUrl> files;
        QDirIterator it(QStringLiteral(":/modules/qml"), {QStringLiteral("*.qml")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            files << QUrl(QStringLiteral("qrc") + it.next());
        QVERIFY(files.size() > 30);
        auto loadAll = [&] {
            QQmlEngine engine;
            for (const QUrl& file : std::as_const(files)) {
                const QQmlComponent component(&engine, file);
                QVERIFY2(component.isReady(), qPrintable(component.errorString()));
            }
        };
        loadAll();
        DebugLines debug;
        QLoggingCategory::setFilterRules(QStringLiteral("qt.qml.diskcache.debug=true"));
        loadAll();
        QLoggingCategory::setFilterRules(QString());
        QVERIFY2(debug.lines().isEmpty(), qPrintable(debug.lines().join(u'\n')));
    }

    // Every character of the shipped texts is drawn by the scene's own font, and a
    // character outside it (a name the user typed) by a fallback font with a real glyph.
    void sceneFontDrawsEveryShippedText()
    {
        installSceneFontSubstitutes();
        const QFont scene(QString::fromUtf8("微软雅黑"));
        QString shipped;
        for (const char* name : {"English.ini", "ChineseSimplified.ini"}) {
            QFile file(QStringLiteral(CORVANE_SOURCE_DIR "/modules/i18n/") + QLatin1String(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            shipped += QString::fromUtf8(file.readAll());
        }
        auto drawnBy = [&](QChar c) {
            QTextLayout layout(QString(c), scene);
            layout.beginLayout();
            layout.createLine();
            layout.endLayout();
            const QList<QGlyphRun> runs = layout.glyphRuns();
            const bool drawn = runs.size() == 1 && runs[0].glyphIndexes().value(0) != 0;
            return drawn ? runs[0].rawFont().familyName().toLower() : QString();   // the engine keeps it lower-case
        };
        QSet<QChar> seen;
        for (QChar c : shipped) {
            if (c.unicode() < 0x20 || seen.contains(c))
                continue;
            seen.insert(c);
            // The source font has no geometric shapes (the panels' arrows): the system draws those.
            const bool shape = c.unicode() >= 0x25A0 && c.unicode() < 0x2600;
            const QString family = drawnBy(c);
            QVERIFY2(shape ? !family.isEmpty() : family == QStringLiteral("corvane scene sans"),
                     qPrintable(QStringLiteral("U+%1 drawn by \"%2\"").arg(c.unicode(), 4, 16, QLatin1Char('0')).arg(family)));
        }
        QVERIFY(seen.size() > 200);
        QCOMPARE(drawnBy(QChar(0x9F98)), QStringLiteral("wenquanyi micro hei"));
    }
};

QTEST_MAIN(TestSceneHost)
#include "tst_scene_host.moc"
