#include "input/copy_data.h"

#include <QByteArray>
#include <QDebug>
#include <cstring>

namespace copy_data {

Decision decide(const CopyDataRecord& record)
{
    if (record.dwData != kWarningTag)
        return {};
    const char* bytes = static_cast<const char*>(record.lpData);
    if (!bytes && record.cbData != 0) {
        qDebug() << "WM_COPYDATA without data, length" << record.cbData;
        return {};
    }
    std::size_t length = 0;
    if (bytes) {
        const void* zero = std::memchr(bytes, 0, record.cbData);
        length = zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - bytes) : record.cbData;
    }
    const QString text = QString::fromUtf8(bytes, static_cast<qsizetype>(length));
    if (static_cast<std::uint64_t>(text.toUtf8().size()) != record.cbData)
        return {};
    return {true, text};
}

} // namespace copy_data
