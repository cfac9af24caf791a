#include "link_rig.h"

#include "fixtures.h"

#include "device/detection.h"
#include "device/device_table.h"

#include <QFile>
#include <QSettings>

LinkRig::LinkRig(const RigModel& model)
{
    const QString apConfig = QStringLiteral("modules/setting/apConfig.bin");
    {
        QSettings ap(apConfig, QSettings::IniFormat);
        ap.setValue(QStringLiteral("mouse/icType"), model.family == VirtualMouse::Family::F560
                                                        ? QStringLiteral("560") : QStringLiteral("553-24"));
        ap.setValue(QStringLiteral("mouse/isGun"), model.isGun);
        ap.setValue(QStringLiteral("mouse/isColorful"), model.isColorful);
        ap.setValue(QStringLiteral("0/isEncode"), model.isEncode);
        QSettings p1(QStringLiteral("modules/setting/p1.bin"), QSettings::IniFormat);
        for (int n = 0; n < 16; ++n)
            p1.setValue(QStringLiteral("mouseFwKeyMatrix/%1").arg(n), factoryEntry(n));
    }
    mouse = std::make_unique<VirtualMouse>(VirtualMouse::configFromSettings(apConfig));
    logPath = install.file(QStringLiteral("wire.log"));
    log = std::make_unique<WireLog>(*mouse, logPath);
    installHidBackend(log.get());
    link.replaceDeviceTable(device_table::load(apConfig));
    detection::findInterfaces(link.deviceTable, *mouse);
    link.currentDevice = 0;
    protocol::loadSecrecyCode(secrecyCode(), "735102", 6);
    view = std::make_unique<myQQuickView>();
    view->setLink(&link);
}

LinkRig::~LinkRig()
{
    view.reset();
    installHidBackend(nullptr);
}

void LinkRig::readBlocks()
{
    const int last = view->isGun ? 4 : 1;
    for (int b = 0; b <= last; ++b)
        link.hid560_8CH_readProfile(view->profileBlocks[b].data(), static_cast<uchar>(b));
    clearLog();
}

void LinkRig::clearLog()
{
    QFile f(logPath);
    f.resize(0);
}

QList<SentCommand> LinkRig::sent() const
{
    QList<SentCommand> out;
    for (const WireLogEntry& e : wire()) {
        if (e.path != QLatin1String(VirtualMouse::kCommandPath))
            continue;
        if (e.op == QLatin1String("SET_FEATURE")) {
            QByteArray block = e.bytes.mid(1, 8);
            if (mouse->config().isEncode && block.size() == 8)
                protocol::unscramble(reinterpret_cast<uint8_t*>(block.data()), secrecyCode().data());
            out.append({block, {}});
        } else if (e.op == QLatin1String("WRITE") && !out.isEmpty()) {
            out.last().payload += e.bytes.mid(1);
        }
    }
    return out;
}

QList<QByteArray> LinkRig::blocks() const
{
    QList<QByteArray> out;
    for (const SentCommand& c : sent())
        out.append(c.block);
    return out;
}

QVariantList LinkRig::factoryEntry(int n)
{
    return fixtures::ints({1, n, 0xF0 + n, n == 15 ? 7 : 0});
}

QByteArray LinkRig::factoryMatrixBytes()
{
    QByteArray m;
    for (int n = 0; n < 16; ++n)
        for (const QVariant& v : factoryEntry(n))
            m.append(static_cast<char>(v.toInt()));
    return m;
}

QByteArray blockHex(const char* first7)
{
    QByteArray b = bytesFromHex(first7);
    b.resize(7, '\0');
    uint8_t sum = 0;
    for (char c : b)
        sum = static_cast<uint8_t>(sum + static_cast<uint8_t>(c));
    b.append(static_cast<char>(~sum & 0xFF));
    return b;
}
