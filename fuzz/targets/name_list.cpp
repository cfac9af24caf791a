// The name lists file: every list read from a file of any content, and written
// back and read again, which must give the same names.
#include "fuzz_support.h"
#include "targets.h"

#include "view/myqquickview.h"

namespace fuzz_name_list {
namespace {
constexpr const char* kTarget = "name_list";
constexpr const char* kDummyName = "loaderquorin";
constexpr int kListTypes = 4;   // macro, gun, profile, selected guns
} // namespace

int fuzzOne(const uint8_t* data, size_t size)
{
    fuzz::setUpProcess();
    myQQuickView& view = fuzz::view();
    const QByteArray file(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (!fuzz::writeFresh(QStringLiteral("./modules/setting/name.bin"), file))
        return 0;

    // Unknown list types give nothing.
    for (const QVariant& unknown : {QVariant(-1), QVariant(kListTypes), QVariant(QStringLiteral("x"))})
        FUZZ_CHECK(kTarget, view.getNameList(unknown).isEmpty());

    for (int type = 0; type < kListTypes; ++type) {
        const QVariantList list = view.getNameList(type);
        QStringList names;
        for (const QVariant& v : list)
            names.append(v.toString());
        view.updataNameList(type, names);
        QStringList expected = names;
        if (expected.size() == 1)
            expected.append(QString::fromLatin1(kDummyName));
        QStringList again;
        for (const QVariant& v : view.getNameList(type))
            again.append(v.toString());
        FUZZ_CHECK(kTarget, again == expected);
    }
    return 0;
}

} // namespace fuzz_name_list
