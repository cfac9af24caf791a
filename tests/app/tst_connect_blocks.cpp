// The 560 profile blocks on a real connection to the virtual mouse: which blocks
// the connect sequence reads, and the block operations of the view.
#include "test_support.h"

#include "app/widget.h"
#include "device/pacing.h"
#include "device/virtual/firmware_state.h"
#include "device/virtual/virtual_mouse.h"
#include "ui_host/ui_controler.h"
#include "view/myqquickview.h"

#include <QSettings>
#include <QtTest>

namespace {
using Block = std::array<uchar, myQQuickView::kBlockSize>;

void setModel(const QString& icType, bool isGun)
{
    QSettings global("modules/setting/apConfig.bin", QSettings::IniFormat);
    global.setValue("mouse/icType", icType);
    global.setValue("mouse/isGun", isGun);
}
} // namespace

class TestConnectBlocks : public QObject
{
    Q_OBJECT
    std::unique_ptr<ScratchInstall> install;
    std::unique_ptr<VirtualMouse> mouse;
    std::unique_ptr<Widget> window;

    myQQuickView& connect(const QString& icType, bool isGun)
    {
        setModel(icType, isGun);
        mouse = std::make_unique<VirtualMouse>(VirtualMouse::configFromSettings("modules/setting/apConfig.bin"));
        installHidBackend(mouse.get());
        window = std::make_unique<Widget>(nullptr, false);
        window->checkDevice();
        return *window->controller->view;
    }

private slots:
    void initTestCase() { pacing::setTimeScale(0.05); }
    void init() { install = std::make_unique<ScratchInstall>(); }
    void cleanup()
    {
        window.reset();
        installHidBackend(nullptr);
        mouse.reset();
        install.reset();
    }

    void blocksReadAtConnection_data()
    {
        QTest::addColumn<QString>("icType");
        QTest::addColumn<bool>("isGun");
        QTest::addColumn<int>("blocksRead");
        QTest::newRow("560 with recoil functions") << "560" << true << 5;
        QTest::newRow("560 without recoil functions") << "560" << false << 2;
        QTest::newRow("553") << "553-24" << true << 0;
    }
    void blocksReadAtConnection()
    {
        QFETCH(QString, icType);
        QFETCH(bool, isGun);
        QFETCH(int, blocksRead);
        myQQuickView& view = connect(icType, isGun);
        QVERIFY(window->deviceConnected);
        for (int b = 0; b < myQQuickView::kBlockCount; ++b) {
            const Block expected = b < blocksRead ? FirmwareState::factoryProfileBlock(b) : Block{};
            QVERIFY2(view.profileBlocks[b] == expected, qPrintable(QString("block %1").arg(b)));
        }
    }

    void failedBlockReadLeavesTheBlockWhole_data()
    {
        QTest::addColumn<int>("after");   // transfers of the read that succeed before one fails
        for (int after = 0; after <= 5; ++after)
            QTest::newRow(qPrintable(QString::number(after))) << after;
    }
    void failedBlockReadLeavesTheBlockWhole()
    {
        QFETCH(int, after);
        myQQuickView& view = connect("560", true);
        QVERIFY(window->deviceConnected);
        view.profileBlocks[3].fill(0x5A);
        mouse->failTransfers(1, after);
        view.mouseReadProfile(3);
        Block pattern;
        pattern.fill(0x5A);
        QVERIFY(view.profileBlocks[3] == pattern);
        view.mouseReadProfile(3);
        QVERIFY(view.profileBlocks[3] == FirmwareState::factoryProfileBlock(3));
    }

    void blockWrittenBackAndCurrentProfileRead()
    {
        myQQuickView& view = connect("560", true);
        QVERIFY(window->deviceConnected);
        for (int i = 0; i < myQQuickView::kBlockSize; ++i)
            view.profileBlocks[2][i] = uchar(255 - i);
        view.mouseSetProfile(2);
        QVERIFY(mouse->state().profileBlocks[2] == view.profileBlocks[2]);
        QVERIFY(mouse->state().profileBlocks[1] == FirmwareState::factoryProfileBlock(1));
        QCOMPARE(view.mouseReadCurrentProfile().toInt(), int(mouse->state().currentProfile));
        mouse->unplug();
        QCOMPARE(view.mouseReadCurrentProfile().toInt(), 0);
    }
};

QTEST_MAIN(TestConnectBlocks)
#include "tst_connect_blocks.moc"
