// Device sequences against the virtual mouse: how long each takes next to the
// pauses the protocol mandates, and the longest stall of the event loop while a
// transfer runs. Prints one line per sequence.
//
//   build/bench/bench_device

#include "device/hid_thread.h"
#include "device/pacing.h"
#include "device/virtual/virtual_mouse.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

struct Sequence {
    const char* name;
    int mandatedMs;
    std::function<void(Hid_Thread&)> run;
};

// The longest gap between ticks of a 1 ms precise timer while fn runs.
double longestStallMs(const std::function<void()>& fn)
{
    QElapsedTimer clock;
    clock.start();
    qint64 last = clock.nsecsElapsed();
    qint64 worst = 0;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        worst = std::max(worst, now - last);
        last = now;
    });
    tick.start();
    fn();
    tick.stop();
    worst = std::max(worst, clock.nsecsElapsed() - last);
    return worst / 1e6;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    VirtualMouse::Config cfg;
    VirtualMouse mouse(cfg);
    installHidBackend(&mouse);

    Hid_Thread link;
    auto* rec = new DeviceRecord;
    rec->vid = cfg.vid;
    rec->pid = cfg.pid;
    rec->usagePage = cfg.usagePage;
    rec->usage = cfg.usage;
    rec->usagePage2 = cfg.usagePage2;
    rec->usage2 = cfg.usage2;
    rec->reportLength = cfg.reportLength;
    rec->isEncode = cfg.isEncode;
    rec->sCode = cfg.sCode;
    rec->commandPath = QString::fromLatin1(VirtualMouse::kCommandPath);
    rec->notifyPath = QString::fromLatin1(VirtualMouse::kNotifyPath);
    link.replaceDeviceTable({rec});
    if (!link.chkDeviceIsEnCode(0)) {
        std::printf("connection check failed\n");
        return 1;
    }

    uchar buf[128] = {};
    const int settle = 2 * pacing::kSettleStepMs;
    const int gap = pacing::kBulkReportGapMs;
    const std::vector<Sequence> sequences = {
        {"553 report rate (block, settle)", settle, [](Hid_Thread& l) { l.hid553_01H_SetReportRate(1); }},
        {"553 options (block, 8 ms)", pacing::kUnsettledCommandMs,
         [](Hid_Thread& l) { l.hid553_03H_SetKeyboardoption(0, 0, 0, 0x40); }},
        {"553 key matrix (64 bytes)", 2 * settle + 2 * gap, [&](Hid_Thread& l) { l.hid553_12H_SetKeyMatrix(buf, 1); }},
        {"553 macro (128 bytes)", 2 * settle + 4 * gap, [&](Hid_Thread& l) { l.hid553_13H_SetMacroKey(1, buf); }},
        {"560 report rate x4", 4 * settle, [](Hid_Thread& l) { l.hid560_03H_SetReportRate(1); }},
        {"560 profile block (128 bytes)", 2 * settle + 4 * gap, [&](Hid_Thread& l) { l.hid560_0CH_setProfile(buf, 1); }},
    };

    std::printf("%-34s %9s %9s %8s %9s\n", "sequence", "mandated", "measured", "over", "stall");
    bool within = true;
    for (const Sequence& s : sequences) {
        QElapsedTimer t;
        double stall = 0;
        t.start();
        stall = longestStallMs([&] { s.run(link); });
        const double ms = t.nsecsElapsed() / 1e6;
        const double over = (ms - s.mandatedMs) / s.mandatedMs * 100.0;
        within = within && over >= 0 && over <= 3.0;
        std::printf("%-34s %7d ms %6.1f ms %+7.2f%% %6.1f ms\n", s.name, s.mandatedMs, ms, over, stall);
    }
    std::printf("budget: every sequence within 3%% of its pauses: %s\n", within ? "yes" : "NO");
    installHidBackend(nullptr);
    return 0;
}
