#include "view/pointer_steps.h"

#include <QDebug>
#include <algorithm>
#include <array>
#include <climits>

namespace pointer_steps {
namespace {

constexpr std::array<int, 11> kSliderThresholds{4, 37, 70, 104, 138, 172, 205, 239, 272, 305, 338};

unsigned boundedStep(unsigned step)
{
    if (step > kMaxStep) {
        qDebug() << "pointer step" << step << "is above" << kMaxStep;
        return kMaxStep;
    }
    return step;
}

} // namespace

int cursorSpeed(unsigned step)
{
    const int speed = kSpeedPerStep * static_cast<int>(boundedStep(step));
    return speed == 0 ? kMinSpeed : speed;
}

int doubleClickMs(unsigned step)
{
    return kDoubleClickSlowestMs - kDoubleClickPerStepMs * static_cast<int>(boundedStep(step));
}

int scrollLines(unsigned lines)
{
    return lines > static_cast<unsigned>(INT_MAX) ? INT_MAX : static_cast<int>(lines);
}

int sliderStep(int position)
{
    for (size_t i = 0; i < kSliderThresholds.size(); ++i)
        if (kSliderThresholds[i] > position)
            return static_cast<int>(i);
    return 0;
}

double accelerationForSpeed(int speed)
{
    const double a = static_cast<double>(speed - kDefaultSpeed) / kDefaultSpeed;
    return std::clamp(a, -1.0, 1.0);
}

} // namespace pointer_steps
