// Language files: every group the scene asks for, read from a file of any content.
#include "fuzz_support.h"
#include "targets.h"

#include "device/hid_thread.h"
#include "view/myqquickview.h"

namespace fuzz_language_file {
namespace {
constexpr const char* kTarget = "language_file";
constexpr const char* kLanguage = "Fuzzed";
constexpr int kMaxGroupTexts = 4096;
// Every group is read by the same code; "other" also replaces the balloon texts.
const char* const kGroups[] = {"main", "other", "keyCode"};
constexpr int kStagesToAsk = 10;   // the seven stages, stage 0 and two beyond
} // namespace

int fuzzOne(const uint8_t* data, size_t size)
{
    fuzz::setUpProcess();
    myQQuickView& view = fuzz::view();
    const QByteArray file(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (!fuzz::writeFresh(QStringLiteral("./modules/i18n/%1.ini").arg(QLatin1String(kLanguage)), file))
        return 0;

    for (const char* group : kGroups) {
        const QVariantList texts = view.getLangStrings(QString::fromLatin1(group), QString::fromLatin1(kLanguage));
        FUZZ_CHECK(kTarget, texts.size() <= kMaxGroupTexts);
        for (const QVariant& t : texts)
            FUZZ_CHECK(kTarget, t.typeId() == QMetaType::QString);
    }
    // The "other" group replaced the balloon texts: still eight, each followed by a blank.
    FUZZ_CHECK(kTarget, dpi_switch_messages::all().size() == dpi_switch_messages::kCount);
    for (int stage = 0; stage < kStagesToAsk; ++stage)
        FUZZ_CHECK(kTarget, dpi_switch_messages::textForStage(stage).endsWith(QLatin1Char(' ')));
    dpi_switch_messages::reset();
    return 0;
}

} // namespace fuzz_language_file
