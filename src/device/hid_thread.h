#pragma once
// The device link: the device table, the transport that carries every command to
// the mouse one at a time, the commands of both firmware families, and the loop
// that hears DPI-stage switches made on the mouse.
//
// It derives from QThread but is never started: commands run synchronously on the
// caller's (GUI) thread. Only the notification loop runs elsewhere, on the global
// thread pool.

#include "device/device_record.h"
#include "device/hid_backend.h"
#include "device/pool_task.h"
#include "device/protocol.h"

#include <QFuture>
#include <QList>
#include <QMutex>
#include <QString>
#include <QStringList>
#include <QThread>
#include <array>
#include <atomic>
#include <initializer_list>
#include <optional>

class Widget;
class myQQuickView;

typedef unsigned char uchar;

class Hid_Thread : public QThread
{
    Q_OBJECT
public:
    explicit Hid_Thread(QObject* parent = nullptr);
    ~Hid_Thread() override;

    // --- members, in the order the link keeps them ---
    Widget* owner = nullptr;
    QList<DeviceRecord*> deviceTable;
    int currentDevice = 1;
    HidDevice* commandHandle = nullptr;
    HidDevice* notifyHandle = nullptr;
    bool linkFree = true;
    std::atomic<bool> listening{false};
    bool settleFlag = true;
    PoolTask listenTask;   // the notification loop on the global thread pool
    std::array<uint8_t, protocol::kFeatureReportSize> featureOut{};
    std::array<uint8_t, protocol::kFeatureReportSize> featureIn{};
    std::array<uint8_t, protocol::kBulkBufferSize> bulkBuffer{};

    // The host view, for the firmware model (icType, isGun). Set by the view.
    myQQuickView* view = nullptr;

    // Replaces the device table (takes ownership of the records, frees the old ones).
    void replaceDeviceTable(const QList<DeviceRecord*>& table);
    // The record commands go to, or nullptr when currentDevice is outside the table
    // or the record cannot be used (reportLength outside 1..512).
    DeviceRecord* currentRecord() const;

    // Sets the notification option on the mouse and starts the notification loop.
    void startListening(int index);
    // Clears listening and waits until the stored notification task has ended.
    void stopListening();

    // The model flags of the view (false / "" without a view).
    bool modelIsGun() const;
    bool modelIs560() const;

    // Held by code that runs several commands as one piece (detection with its
    // connect sequence; any operation that lets events through between its
    // commands): detection waits until the last one is gone. Commands run only on
    // the GUI thread, so a plain counter does.
    class Sequence
    {
    public:
        explicit Sequence(Hid_Thread& link) : link(link) { ++link.sequenceDepth; }
        ~Sequence() { --link.sequenceDepth; }
        Sequence(const Sequence&) = delete;
        Sequence& operator=(const Sequence&) = delete;
    private:
        Hid_Thread& link;
    };

    // A command holds the link or is on the stack: the device table must not be replaced.
    bool commandRunning() const { return !linkFree || commandDepth > 0; }
    // ... or a sequence runs: detection must wait.
    bool busy() const { return commandRunning() || sequenceDepth > 0; }
    // Commands refused because the link stayed taken, since construction.
    int linkRefusals() const { return refusals; }

public slots:
    uchar hidCS(uchar* block);
    bool chkDeviceIsEnCode(int index);
    void USBDataEncryption(uchar FIFOBuf[], uchar SecrecyCode[]);
    void USBDataDecipher(uchar FIFOBuf[], uchar SecrecyCode[]);

    bool hid553_00H_GetSecrecyCode(uchar& byte1, uchar& byte2, uchar& byte3, uchar& byte4);
    bool hid553_83H_GetKeyboardoption(uchar& byte1, uchar& byte2, uchar& byte3, uchar& byte4);
    bool hid560_81H_GetKeyboardoption(uchar& byte1, uchar& byte2);
    bool hid560_82H_GetCurrentProfile(uchar& byte1);
    bool hid560_84H_GetCurrentDPI(uchar& byte1, uchar& byte2);
    bool hid553_8BH_GetCurrentDPI(uchar& byte1);
    bool hid553_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    bool hid553_04H_SetGunData(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    bool hid560_01H_SetKeyboardoption(uchar byte1, uchar byte2);
    bool hid553_01H_SetReportRate(uchar rate);
    bool hid560_03H_SetReportRate(uchar rate);
    bool hid560_04H_SetCurrentDPI(uchar stage);
    bool hid553_0BH_SetCurrentDPI(uchar stage);
    bool hid553_12H_SetKeyMatrix(uchar* src64, uchar indexAddOne);
    bool hid560_0DH_SetKeyMatrix(uchar* src64, uchar indexAddOne);
    bool hid560_0CH_setProfile(uchar* src128, uchar profileData);
    bool hid560_8CH_readProfile(uchar* src128, uchar profileNo);
    bool hid560_02H_SetCurrentProfile(uchar profile);
    bool hid553_13H_SetMacroKey(uchar macroId, uchar* src128);
    bool hid560_0FH_SetMacroKey(uchar macroId, uchar* src128);
    bool hid553_11H_SetDPISet(uchar dpiStage, uchar* src8);
    bool hid553_02H_SetCurrentKeyMatrix(uchar currentKeyMatrix);
    bool hid553_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2);
    bool hid553_10H_SetLED8StageColor(uchar type, uchar* src24);

signals:
    // From the notification loop (pool thread); receivers on the GUI thread get them queued.
    // stage is the reported stage byte; text is the balloon text (already followed by a blank).
    void dpiSwitched(int stage, const QString& text);
    // The notification interface could no longer be opened. notifyPath is the path that failed.
    void deviceRemoved(const QString& notifyPath);

private slots:
    void forgetNotifyPath(const QString& notifyPath);

private:
    // What one transfer needs of the device record, copied when it starts: the
    // pauses of a transfer let events through, and nothing it uses may be freed there.
    struct TransferTarget {
        HidDevice* handle = nullptr;
        int reportLength = 0;
        bool isEncode = false;
    };
    // Marks a catalogue command as running, from the taken link to its last pause.
    class CommandScope
    {
    public:
        explicit CommandScope(Hid_Thread& link) : link(link) { ++link.commandDepth; }
        ~CommandScope() { --link.commandDepth; }
        CommandScope(const CommandScope&) = delete;
        CommandScope& operator=(const CommandScope&) = delete;
    private:
        Hid_Thread& link;
    };

    int sequenceDepth = 0;
    int commandDepth = 0;   // catalogue commands on the stack (nested ones are refused)
    int refusals = 0;

    // --- transport ---
    // Takes the link for one command. A command entered from the event processing
    // of a running one is refused at once: the running one cannot end before it does.
    bool acquireLink();
    void settlePause();
    HidDevice* openCommandInterface(int index);
    HidDevice* openNotifyInterface(int index);
    void closeCommandInterface();
    bool sendCommand(int dataLength, bool settle);
    bool queryCommand(int dataLength);
    // The start both transfers share: checks the length, copies the record, opens
    // the command interface, scrambles and sends featureOut. nullopt = failed.
    std::optional<TransferTarget> beginTransfer(const char* who, int dataLength);

    // --- one command, as every catalogue slot runs it ---
    // Sends block cmd (opcode + params, checksum added) with payloadLength bytes of
    // payload; settle as the catalogue says; sleeps 8 ms after an unsettled command.
    // Writes failLine when the link cannot be taken.
    bool runSend(const char* failLine, uint8_t opcode, std::initializer_list<uint8_t> params,
                 const uint8_t* payload, int payloadLength, bool settle);
    // Queries with block cmd; presets a[1..] with the out-arguments' current values and
    // copies a[1..] back into them whether or not the transfer succeeded.
    bool runQuery(const char* failLine, uint8_t opcode, std::initializer_list<uint8_t> params,
                  std::initializer_list<uchar*> outs);
    // The 560 repetition: one acquisition, blocks k = 1..4 (only k = 1 with isGun).
    bool runRepeated(const char* failLine, uint8_t opcode, uchar value);

    void listenLoop(DeviceRecord record);
};

// The eight balloon texts of DPI-switch notifications, shared with the notification
// loop; replaced from the language group "other".
namespace dpi_switch_messages {
constexpr int kCount = 8;
QString textForStage(int stage);          // text 0..6 for stages 1..7, text 7 otherwise; followed by a blank
void replace(const QStringList& texts);   // the first eight texts replace theirs; missing ones stay
QStringList all();
void reset();                             // back to "DPI Switch to" (tests)
}

// Process-wide secrecy code of the current device (positions 1..6).
protocol::SecrecyCode& secrecyCode();
