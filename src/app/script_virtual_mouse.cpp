#include "app/script_virtual_mouse.h"

#include "device/virtual/firmware_state.h"
#include "device/virtual/virtual_mouse.h"

#include <QDebug>

namespace {
template <typename Bytes>
QVariantList numbers(const Bytes& bytes)
{
    QVariantList out;
    out.reserve(int(bytes.size()));
    for (auto b : bytes)
        out.append(int(b));
    return out;
}

// Index check for the 1-based and 0-based readers: a debug line and false outside first..last.
bool inRange(int value, int first, int last, const char* what)
{
    if (value >= first && value <= last)
        return true;
    qDebug() << "virtualMouse." << what << ":" << value << "is outside" << first << "..." << last;
    return false;
}
} // namespace

ScriptVirtualMouse::ScriptVirtualMouse(VirtualMouse& m, QObject* parent) : QObject(parent), mouse(m) {}

void ScriptVirtualMouse::pressDpiButton(int stage) { mouse.pressDpiButton(stage); }
void ScriptVirtualMouse::unplug() { mouse.unplug(); }
void ScriptVirtualMouse::plug() { mouse.plug(); }
bool ScriptVirtualMouse::pluggedIn() const { return mouse.pluggedIn(); }

QString ScriptVirtualMouse::family() const
{
    return mouse.family() == VirtualMouse::Family::F560 ? QStringLiteral("560") : QStringLiteral("553");
}

int ScriptVirtualMouse::transferCount() const { return mouse.transferCount(); }
QVariantList ScriptVirtualMouse::reportRates() const { return numbers(mouse.state().reportRate); }
QVariantList ScriptVirtualMouse::dpiStages() const { return numbers(mouse.state().dpiStage); }
QVariantList ScriptVirtualMouse::keyboardOptions() const { return numbers(mouse.state().keyboardOptions); }

QVariantList ScriptVirtualMouse::keyMatrix(int matrix) const
{
    if (!inRange(matrix, 1, FirmwareState::kKeyMatrixCount, "keyMatrix"))
        return {};
    return numbers(mouse.state().keyMatrices[matrix - 1]);
}

int ScriptVirtualMouse::activeKeyMatrix() const { return mouse.state().activeKeyMatrix; }

QVariantList ScriptVirtualMouse::macro(int number) const
{
    if (!inRange(number, 1, FirmwareState::kMacroCount, "macro"))
        return {};
    return numbers(mouse.state().macros[number - 1]);
}

int ScriptVirtualMouse::dpiCount() const { return mouse.state().dpiCount; }
QVariantList ScriptVirtualMouse::dpiSet() const { return numbers(mouse.state().dpiSet); }

QVariantList ScriptVirtualMouse::ledEffect() const
{
    const FirmwareState s = mouse.state();
    return {int(s.ledEffect), int(s.ledOption1), int(s.ledOption2)};
}

QVariantList ScriptVirtualMouse::stageColors(int type) const
{
    if (!inRange(type, 0, FirmwareState::kColorTypes - 1, "stageColors"))
        return {};
    return numbers(mouse.state().stageColors[type]);
}

QVariantList ScriptVirtualMouse::gunSlot(int slot) const
{
    if (!inRange(slot, 1, FirmwareState::kGunSlotCount, "gunSlot"))
        return {};
    const FirmwareState::GunSlot g = mouse.state().gunSlots[slot - 1];
    return {int(g.times), int(g.x), int(g.y)};
}

QVariantList ScriptVirtualMouse::profileBlock(int block) const
{
    if (!inRange(block, 0, FirmwareState::kProfileCount - 1, "profileBlock"))
        return {};
    return numbers(mouse.state().profileBlocks[block]);
}

int ScriptVirtualMouse::currentProfile() const { return mouse.state().currentProfile; }
