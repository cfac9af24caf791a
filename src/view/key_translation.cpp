#include "view/key_translation.h"

#include "view/settings_values.h"

namespace key_translation {
namespace {

constexpr uint8_t kDoubleFireKey = 0x1E;     // type 0 with these bytes 2 and 3 is the double fire
constexpr uint8_t kDoubleFireCount = 0x02;
constexpr uint8_t kSniper = 4;               // DPI function 4
constexpr Entry kSniperEntry{device_type::Special, 0x00, 0x01, 0x01};
constexpr uint8_t kLeftButton = 0xF0;

uint8_t low8(int v) { return static_cast<uint8_t>(v & 0xFF); }

// Byte 3 (553) of U, G2, G3, G4 per number of gun matrices c = 1..3.
constexpr std::array<std::array<uint8_t, 4>, 3> k553CycleByte{{{1, 0, 0, 0}, {1, 2, 0, 0}, {1, 2, 3, 0}}};
// Byte 2 (560) of U, G2, G3, G4 per c, and the matrix enable mask.
constexpr std::array<std::array<uint8_t, 4>, 3> k560CycleByte{{{1, 0, 0, 0}, {1, 3, 0, 0}, {1, 3, 3, 0}}};
constexpr std::array<uint8_t, 3> k560EnableMask{7, 15, 31};

} // namespace

Entry entryAt(const Matrix& m, int button)
{
    Entry e{};
    if (button < 0 || button >= kButtonCount)
        return e;
    for (int k = 0; k < kEntrySize; ++k)
        e[k] = m[button * kEntrySize + k];
    return e;
}

void setEntry(Matrix& m, int button, const Entry& e)
{
    if (button < 0 || button >= kButtonCount)
        return;
    for (int k = 0; k < kEntrySize; ++k)
        m[button * kEntrySize + k] = e[k];
}

Matrix matrixFromList(const QVariantList& values)
{
    Matrix m{};
    for (int i = 0; i < kMatrixSize; ++i)
        m[i] = low8(settingsListInt(values, i));
    return m;
}

Matrix matrixFromEntries(const std::array<QVariantList, kButtonCount>& entries)
{
    Matrix m{};
    for (int n = 0; n < kButtonCount; ++n)
        for (int k = 0; k < kEntrySize; ++k)
            m[n * kEntrySize + k] = low8(settingsListInt(entries[n], k));
    return m;
}

Entry translateEntry(const Entry& in, int button)
{
    Entry out = in;
    const uint8_t type = in[0];
    if (button >= kEditableButtons) {
        if (type == key_type::Reserved)
            out[0] = device_type::Reserved;
        return out;
    }
    switch (type) {
    case key_type::MouseButton:
        out[0] = (in[2] == kDoubleFireKey && in[3] == kDoubleFireCount) ? device_type::Fire
                                                                        : device_type::MouseButton;
        break;
    case key_type::Fire:
        out[0] = device_type::Fire;
        break;
    case key_type::Combination:
    case key_type::WindowsFunction:
    case key_type::Shortcut:
        out[0] = device_type::Keyboard;
        break;
    case key_type::Media:
        out[0] = device_type::Media;
        break;
    case key_type::Macro:
        out[0] = device_type::Macro;
        out[2] = static_cast<uint8_t>(in[2] + 1);
        break;
    case key_type::Dpi:
        if (in[2] == kSniper)
            out = kSniperEntry;
        else
            out[0] = device_type::Dpi;
        break;
    case key_type::Gun:
        out[0] = device_type::Gun;
        break;
    case key_type::Reserved:
        out[0] = device_type::Reserved;
        break;
    default:
        break;
    }
    return out;
}

Matrix translateMatrix(const Matrix& keyEntries)
{
    Matrix out{};
    for (int n = 0; n < kButtonCount; ++n)
        setEntry(out, n, translateEntry(entryAt(keyEntries, n), n));
    return out;
}

bool hasGunButton(const Matrix& translated)
{
    for (int n = 0; n < kButtonCount; ++n)
        if (translated[n * kEntrySize] == device_type::Gun)
            return true;
    return false;
}

GunMatrices buildGunMatrices(FirmwareFamily family, const Matrix& translatedUser, const Matrix& factory,
                             const std::array<uint8_t, kGunSlots>& periods)
{
    GunMatrices out;
    out.user = translatedUser;
    out.g2 = out.g3 = out.g4 = factory;
    std::array<Matrix*, 4> all{&out.user, &out.g2, &out.g3, &out.g4};

    for (int j = 0; j < kButtonCount; ++j) {
        const int base = j * kEntrySize;
        if (out.user[base] != device_type::Gun)
            continue;
        const uint8_t c = out.user[base + 2];
        for (int g = 1; g < 4; ++g)
            (*all[g])[base] = device_type::Gun;
        const bool known = c >= 1 && c <= 3;
        if (family == FirmwareFamily::F553) {
            for (int m = 0; m < 4; ++m) {
                if (known)
                    (*all[m])[base + 3] = k553CycleByte[c - 1][m];
                (*all[m])[base + 1] = 0;
                (*all[m])[base + 2] = 1;
            }
        } else if (known) {
            for (int m = 0; m < 4; ++m)
                (*all[m])[base + 2] = k560CycleByte[c - 1][m];
            out.enableMask = k560EnableMask[c - 1];
        }
    }

    // The left button of each gun matrix fires with the period of its gun slot.
    for (int g = 0; g < kGunSlots; ++g) {
        const Entry fire = family == FirmwareFamily::F553
                               ? Entry{device_type::Fire, kLeftButton, periods[g], 0}
                               : Entry{device_type::Special, static_cast<uint8_t>(g), periods[g], 0};
        setEntry(*all[g + 1], 0, fire);
    }
    return out;
}

} // namespace key_translation
