// Device changes that reach the window while commands run, with the protocol's real
// pauses: detection waits for the link, the command ends whole, the mouse stays connected.
#include "rig.h"

#include "app/widget.h"
#include "device/pacing.h"

#include <QSettings>
#include <QtTest>

namespace {

enum Work { KeyMatrixUpload, ProfileRead, ConnectSequence };

} // namespace

class TstReentrancy : public QObject
{
    Q_OBJECT
private slots:
    void init() { pacing::setTimeScale(1.0); }

    void deviceChangeWaitsForTheLink_data()
    {
        QTest::addColumn<Family>("family");
        QTest::addColumn<int>("work");
        QTest::addColumn<int>("checkMs");          // the device-check period: it expires inside the work
        QTest::addColumn<QList<int>>("commands");  // on the wire from the device change on
        QTest::newRow("settled payload") << Family::F553 << int(KeyMatrixUpload) << 100
                                         << QList<int>{0x12, 0x00, 0x83, 0x03};
        QTest::newRow("bulk read") << Family::F560 << int(ProfileRead) << 0
                                   << QList<int>{0x8C, 0x00, 0x81, 0x01, 0x8C, 0x8C};
        QTest::newRow("connect sequence") << Family::F560 << int(ConnectSequence) << 0
                                          << QList<int>{0x00, 0x81, 0x01, 0x8C, 0x8C, 0x00, 0x81, 0x01, 0x8C, 0x8C};
    }

    void deviceChangeWaitsForTheLink()
    {
        QFETCH(Family, family);
        QFETCH(int, work);
        QFETCH(int, checkMs);
        QFETCH(QList<int>, commands);
        AppRig rig({family});
        {
            // A mouse without a notification interface: listening stays clear and
            // every device change reaches detection.
            QSettings ap(QStringLiteral("modules/setting/apConfig.bin"), QSettings::IniFormat);
            ap.remove(QStringLiteral("0/usagePage2"));
            ap.remove(QStringLiteral("0/usage2"));
        }
        DebugLines debug;
        Widget& window = *rig.window;
        window.show();
        window.deviceCheckTimer.setInterval(checkMs);
        if (work != ConnectSequence) {
            window.checkDevice();
            QTRY_VERIFY(!rig.link().listening);
        }
        rig.mark();
        QVERIFY(!window.handleNativeMessage(native_message::kDeviceChange, 0));
        QVERIFY(window.deviceCheckTimer.isActive());

        std::array<uchar, 64> matrix;
        for (int i = 0; i < 64; ++i)
            matrix[i] = uchar(0x21 + 7 * i);
        std::array<uchar, myQQuickView::kBlockSize> block{};
        if (work == KeyMatrixUpload)
            QVERIFY(rig.link().hid553_12H_SetKeyMatrix(matrix.data(), 1));
        else if (work == ProfileRead)
            QVERIFY(rig.link().hid560_8CH_readProfile(block.data(), 3));
        else
            window.checkDevice();
        QVERIFY2(debug.count(QStringLiteral("device check deferred: the link is busy")) >= 1, "the check expired inside the work");

        // Exactly one detection once the link is free; a few more periods show no other.
        QTRY_COMPARE_WITH_TIMEOUT(opcodesOf(rig.steps()), commands, 5000);
        QTest::qWait(3 * checkMs + 300);
        const QList<Step> steps = rig.steps();
        QCOMPARE(opcodesOf(steps), commands);
        QCOMPARE(countOf(steps, "WRITE") + countOf(steps, "READ"), work == KeyMatrixUpload ? 2 : work == ProfileRead ? 12 : 16);
        for (const Step& s : steps)
            QVERIFY2(!s.failed, qPrintable(describe(steps)));
        if (work == KeyMatrixUpload) {
            QCOMPARE(payloadOf(splitCommands(steps).first()), bytesOf(matrix));
            QCOMPARE(bytesOf(rig.state().keyMatrices[0], 0, 64), bytesOf(matrix));
        }
        if (work == ProfileRead)
            QCOMPARE(block, FirmwareState::factoryProfileBlock(3));
        QVERIFY(window.deviceConnected);
        QVERIFY(!debug.any(QStringLiteral("cmd Failed")));
        QVERIFY(rig.link().linkFree);
        QVERIFY(!rig.link().busy());
    }
};

QTEST_MAIN(TstReentrancy)
#include "tst_reentrancy.moc"
