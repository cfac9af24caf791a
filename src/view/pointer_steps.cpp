#include "view/pointer_steps.h"

#include <QDebug>
#include <algorithm>
#include <climits>

namespace pointer_steps {
namespace {

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

double accelerationForSpeed(int speed)
{
    const double a = static_cast<double>(speed - kDefaultSpeed) / kDefaultSpeed;
    return std::clamp(a, -1.0, 1.0);
}

} // namespace pointer_steps
