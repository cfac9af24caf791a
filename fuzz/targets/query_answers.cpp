// Answers of every query command, as feature reports and 8CH bulk reads of every
// length, some scrambled, some failing, over device records of every report
// length: the queries of the link, the connection check, and the view's
// operations built on them.
#include "fuzz_support.h"
#include "scripted_backend.h"
#include "targets.h"

#include "device/device_record.h"
#include "device/hid_thread.h"
#include "view/myqquickview.h"

#include <QCoreApplication>
#include <array>

namespace fuzz_query_answers {
namespace {
constexpr const char* kTarget = "query_answers";
constexpr int kReportLengths[] = {1, 2, 7, 8, 31, 32, 33, 63, 64, 65, 127, 128, 129, 511, 512};
constexpr int kMaxOperations = 48;
constexpr int kProfileLength = 128;
constexpr int kBlockChoices = 7;   // blocks 0..4 and two beyond
enum Operation {
    kConnectionCheck, kSecrecy, kOption553, kOption560, kCurrentProfile560, kCurrentDpi560, kCurrentDpi553,
    kReadProfile, kViewCurrentProfile, kViewCurrentDpi, kViewOptions, kViewReadProfile, kOperationCount
};

// Query commands that get no answer hand their presets back.
template <size_t N>
void checkPresets(bool ok, const std::array<uchar, N>& values, const std::array<uchar, N>& presets)
{
    if (!ok)
        FUZZ_CHECK(kTarget, values == presets);
}

template <size_t N>
std::array<uchar, N> presetsFrom(fuzz::Input& in)
{
    std::array<uchar, N> p{};
    for (uchar& b : p)
        b = in.byte();
    return p;
}

void runOne(fuzz::Input& in, Hid_Thread& link, myQQuickView& view)
{
    switch (in.byte() % kOperationCount) {
    case kConnectionCheck:
        link.chkDeviceIsEnCode(0);
        break;
    case kSecrecy: {
        auto v = presetsFrom<4>(in);
        link.hid553_00H_GetSecrecyCode(v[0], v[1], v[2], v[3]);
        break;
    }
    case kOption553: {
        const auto p = presetsFrom<4>(in);
        auto v = p;
        checkPresets(link.hid553_83H_GetKeyboardoption(v[0], v[1], v[2], v[3]), v, p);
        break;
    }
    case kOption560: {
        const auto p = presetsFrom<2>(in);
        auto v = p;
        checkPresets(link.hid560_81H_GetKeyboardoption(v[0], v[1]), v, p);
        break;
    }
    case kCurrentProfile560: {
        const auto p = presetsFrom<1>(in);
        auto v = p;
        checkPresets(link.hid560_82H_GetCurrentProfile(v[0]), v, p);
        break;
    }
    case kCurrentDpi560: {
        const auto p = presetsFrom<2>(in);
        auto v = p;
        checkPresets(link.hid560_84H_GetCurrentDPI(v[0], v[1]), v, p);
        break;
    }
    case kCurrentDpi553: {
        const auto p = presetsFrom<1>(in);
        auto v = p;
        checkPresets(link.hid553_8BH_GetCurrentDPI(v[0]), v, p);
        break;
    }
    case kReadProfile: {
        std::array<uchar, kProfileLength> block{};
        block.fill(in.byte());
        link.hid560_8CH_readProfile(block.data(), in.byte());
        break;
    }
    case kViewCurrentProfile:
        FUZZ_CHECK(kTarget, view.mouseReadCurrentProfile().isValid());
        break;
    case kViewCurrentDpi:
        FUZZ_CHECK(kTarget, view.mouseGetCurrentDPI().isValid());
        break;
    case kViewOptions:
        view.GetKeyboardoption();
        break;
    case kViewReadProfile: {
        const uint block = in.byte() % kBlockChoices;
        const auto before = view.profileBlocks;
        view.mouseReadProfile(block);
        // Only the block asked for may change.
        for (int b = 0; b < myQQuickView::kBlockCount; ++b) {
            if (uint(b) != block)
                FUZZ_CHECK(kTarget, view.profileBlocks[b] == before[b]);
        }
        break;
    }
    default:
        break;
    }
}
} // namespace

int fuzzOne(const uint8_t* data, size_t size)
{
    fuzz::setUpProcess();
    myQQuickView& view = fuzz::view();
    Hid_Thread& link = fuzz::link();
    fuzz::Input in(data, size);

    const uint8_t config = in.byte();
    auto* record = new DeviceRecord;
    record->reportLength = kReportLengths[in.byte() % std::size(kReportLengths)];
    record->isEncode = (config & 1) != 0;
    record->sCode = (config & 8) ? QStringLiteral("73510") : QStringLiteral("735102");
    record->commandPath = QString::fromLatin1(fuzz::ScriptedBackend::kCommandPath);
    record->notifyPath = QString::fromLatin1(fuzz::ScriptedBackend::kNotifyPath);
    link.replaceDeviceTable({record});
    link.currentDevice = 0;
    fuzz::backend().expectWriteSize(record->reportLength + 1);

    const QString savedType = view.icType;
    const bool savedGun = view.isGun;
    view.icType = (config & 2) ? QStringLiteral("560") : QStringLiteral("553-24");
    view.isGun = (config & 4) != 0;

    fuzz::backend().script(&in, true);
    for (int i = 0; i < kMaxOperations && !in.empty(); ++i) {
        runOne(in, link, view);
        // Every transfer path gives the link back and closes what it opened.
        FUZZ_CHECK(kTarget, link.linkFree);
        FUZZ_CHECK(kTarget, link.commandHandle == nullptr);
        FUZZ_CHECK(kTarget, fuzz::backend().openHandles() == 0);
    }
    fuzz::backend().script(nullptr, false);
    QCoreApplication::processEvents();
    view.icType = savedType;
    view.isGun = savedGun;
    fuzz::resetLink();
    return 0;
}

} // namespace fuzz_query_answers
