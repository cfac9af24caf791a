#pragma once
// The virtual mouse as script mode offers it to scripts (virtualMouse): the user's
// hand on the mouse (DPI button, unplugging) and readers of what its firmware keeps,
// every reader answering with plain numbers or arrays of numbers.

#include <QObject>
#include <QVariantList>

class VirtualMouse;

class ScriptVirtualMouse : public QObject
{
    Q_OBJECT
public:
    explicit ScriptVirtualMouse(VirtualMouse& mouse, QObject* parent = nullptr);

    // --- the user's hand ---
    Q_INVOKABLE void pressDpiButton(int stage);
    Q_INVOKABLE void unplug();
    Q_INVOKABLE void plug();
    Q_INVOKABLE bool pluggedIn() const;

    // --- what the firmware keeps ---
    Q_INVOKABLE QString family() const;                 // "553" or "560"
    Q_INVOKABLE int transferCount() const;
    Q_INVOKABLE QVariantList reportRates() const;       // per profile 0..4 (553: index 0)
    Q_INVOKABLE QVariantList dpiStages() const;         // active stage per profile (553: index 0)
    Q_INVOKABLE QVariantList keyboardOptions() const;   // four bytes
    Q_INVOKABLE QVariantList keyMatrix(int matrix) const;   // matrix 1..4: 128 bytes
    Q_INVOKABLE int activeKeyMatrix() const;
    Q_INVOKABLE QVariantList macro(int number) const;   // device macro 1..12: 128 bytes
    Q_INVOKABLE int dpiCount() const;
    Q_INVOKABLE QVariantList dpiSet() const;            // eight stage codes
    Q_INVOKABLE QVariantList ledEffect() const;         // effect, option 1, option 2
    Q_INVOKABLE QVariantList stageColors(int type) const;   // type 0..2: 24 bytes
    Q_INVOKABLE QVariantList gunSlot(int slot) const;   // slot 1..3: times, x, y
    Q_INVOKABLE QVariantList profileBlock(int block) const;   // block 0..4: 128 bytes
    Q_INVOKABLE int currentProfile() const;

private:
    VirtualMouse& mouse;
};
