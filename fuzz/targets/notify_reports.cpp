// Notification reports: the loop reads reports of every length and content until
// the interface goes away. Only a whole 06 07 report may act, with the stage it
// names; nothing the loop does may reach the command interface.
#include "fuzz_support.h"
#include "scripted_backend.h"
#include "targets.h"

#include "device/hid_thread.h"
#include "device/protocol.h"
#include "view/myqquickview.h"

#include <QCoreApplication>
#include <vector>

namespace fuzz_notify_reports {
namespace {
constexpr const char* kTarget = "notify_reports";
constexpr int kStageByte = 3;

struct Heard {
    std::vector<std::pair<int, QString>> switches;
    int removals = 0;
};

Heard& heard(Hid_Thread& link)
{
    static Heard* h = [&link] {
        auto* made = new Heard;
        // Direct: the loop's thread records, the fuzz thread reads once the loop has ended.
        QObject::connect(&link, &Hid_Thread::dpiSwitched, &link,
                         [made](int stage, const QString& text) { made->switches.emplace_back(stage, text); },
                         Qt::DirectConnection);
        QObject::connect(&link, &Hid_Thread::deviceRemoved, &link, [made](const QString&) { ++made->removals; },
                         Qt::DirectConnection);
        return made;
    }();
    return *h;
}
} // namespace

int fuzzOne(const uint8_t* data, size_t size)
{
    fuzz::setUpProcess();
    myQQuickView& view = fuzz::view();
    Hid_Thread& link = fuzz::link();
    fuzz::resetLink();
    Heard& h = heard(link);
    h.switches.clear();
    h.removals = 0;

    fuzz::Input in(data, size);
    const QString savedType = view.icType;
    view.icType = in.flag() ? QStringLiteral("560") : QStringLiteral("553-24");

    using Op = fuzz::ScriptedBackend::Op;
    fuzz::ScriptedBackend& backend = fuzz::backend();
    backend.script(&in, false);
    link.startListening(0);
    link.listenTask.waitForFinished();
    FUZZ_CHECK(kTarget, !link.listening);

    std::vector<std::pair<int, QString>> expected;
    bool loopStarted = false;
    for (const fuzz::ScriptedBackend::Transfer& t : backend.log) {
        const bool notify = t.path == fuzz::ScriptedBackend::kNotifyPath;
        loopStarted = loopStarted || notify;
        if (loopStarted && !notify)
            fuzz::fail(kTarget, "the notification loop used the command interface");
        if (t.op == Op::Read && t.result == protocol::kNotifyReportSize && uint8_t(t.bytes[0]) == protocol::kNotifyMagic0
            && uint8_t(t.bytes[1]) == protocol::kNotifyDpiSwitch) {
            const int stage = uint8_t(t.bytes[kStageByte]);
            expected.emplace_back(stage, dpi_switch_messages::textForStage(stage));
        }
    }
    FUZZ_CHECK(kTarget, h.switches == expected);
    // The loop ends only when the interface can no longer be opened, and says so once.
    FUZZ_CHECK(kTarget, h.removals == 1);
    FUZZ_CHECK(kTarget, !backend.log.empty() && backend.log.back().op == Op::Open && backend.log.back().result < 0);
    FUZZ_CHECK(kTarget, backend.openHandles() == 0);
    FUZZ_CHECK(kTarget, link.linkFree);

    backend.script(nullptr, false);
    QCoreApplication::processEvents();   // the link forgets the interface that went away
    view.icType = savedType;
    return 0;
}

} // namespace fuzz_notify_reports
