// Not built yet.
#include "platform/pointer_settings.h"
namespace { class NoPointer : public PointerSettings { public:
 bool setPointerSpeed(int) override { return false; } bool setDoubleClickTime(int) override { return false; } bool setWheelScrollLines(int) override { return false; } }; }
std::unique_ptr<PointerSettings> createPlatformPointerSettings() { return std::make_unique<NoPointer>(); }
