// The notification loop against the GUI thread: what the two threads share while both
// run. Also run under ThreadSanitizer.
#include "rig.h"

#include "device/pacing.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QThread>
#include <QtTest>

namespace {

struct Announcement {
    int stage;
    QString text;
    bool onGuiThread;
};

} // namespace

class TstNotificationThread : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { pacing::setTimeScale(0.05); }
    void cleanupTestCase() { pacing::setTimeScale(1.0); }
    void cleanup() { dpi_switch_messages::reset(); }

    // Presses while the GUI thread replaces the texts the loop picks and sends commands:
    // every announcement arrives on the GUI thread, in the order of the presses, its text
    // whole and of its stage (stage 0 takes the eighth), and a replacement is never undone;
    // every line of the shared wire log is whole, with every command and report in it once.
    void announcementsWhileTextsAndCommandsChange()
    {
        LinkRig rig;
        rig.link->hid553_03H_SetKeyboardoption(0, 0, 0, 0x40);   // the mouse is told to notify, as at connection
        QList<Announcement> heard;
        QObject receiver;   // collects the announcements on the GUI thread, as the main window does
        QObject::connect(rig.link.get(), &Hid_Thread::dpiSwitched, &receiver, [&](int stage, const QString& text) {
            heard.append({stage, text, QThread::currentThread() == qApp->thread()});
        }, Qt::QueuedConnection);
        rig.link->startListening(0);
        QVERIFY(rig.link->listening);
        rig.mark();
        constexpr int kPresses = 40;
        for (int n = 0; n < kPresses; ++n) {
            QStringList texts;
            for (int i = 0; i < dpi_switch_messages::kCount; ++i)
                texts << QStringLiteral("g%1-s%2").arg(n).arg(i);
            dpi_switch_messages::replace(texts);
            rig.mouse->pressDpiButton(n % 8);
            if (n % 3 == 0)   // the loop reads the report while the command runs
                QVERIFY(rig.link->hid553_0BH_SetCurrentDPI(static_cast<uchar>(n % 7)));
            if (n % 4 == 3)   // the mouse keeps a short queue
                QTRY_COMPARE_WITH_TIMEOUT(heard.size(), n + 1, 5000);
        }
        QTRY_COMPARE_WITH_TIMEOUT(heard.size(), kPresses, 5000);
        int lastGeneration = -1;
        const QRegularExpression form(QStringLiteral("^g(\\d+)-s(\\d) $"));
        for (int n = 0; n < kPresses; ++n) {
            const Announcement& a = heard[n];
            QCOMPARE(a.stage, n % 8);
            QVERIFY(a.onGuiThread);
            const QRegularExpressionMatch m = form.match(a.text);
            QVERIFY2(m.hasMatch(), qPrintable(a.text));
            QCOMPARE(m.captured(2).toInt(), (a.stage + 7) % 8);
            const int generation = m.captured(1).toInt();
            QVERIFY(generation >= n);   // replaced before the press, never older
            QVERIFY(generation >= lastGeneration);
            lastGeneration = generation;
        }
        for (const QByteArray& line : readFileBytes(rig.logPath).split('\n'))
            QVERIFY2(line.isEmpty() || parseWireLogLine(QString::fromUtf8(line)).has_value(), line.constData());
        int reports = 0;
        for (const WireLogEntry& e : rig.entries())
            reports += e.path == QLatin1String(VirtualMouse::kNotifyPath) && e.result == protocol::kNotifyReportSize;
        QCOMPARE(countOf(rig.steps(), "SET_FEATURE"), (kPresses + 2) / 3);   // one for every third press
        QCOMPARE(reports, kPresses);
    }
};

QTEST_MAIN(TstNotificationThread)
#include "tst_notification_thread.moc"
