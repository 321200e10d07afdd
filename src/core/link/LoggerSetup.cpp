#include "link/LoggerSetup.h"

#include "link/StatusRecord.h"
#include "shell/AppState.h"

#include <cmath>

double LimitSteps(double volts, const QString& voltageRange) {
    return volts / LimitRangeFactor(voltageRange);
}

bool LimitsFitRange(double highVolts, double lowVolts, const QString& voltageRange) {
    const auto even = [](double v) { return std::floor(v / 2) == v / 2; };
    return voltageRange == QLatin1String("250 Volt") || (even(highVolts) && even(lowVolts));
}

bool LimitsValid(double highSteps, double lowSteps) {
    return highSteps > lowSteps && highSteps >= 0 && highSteps <= 255 && lowSteps >= 0 &&
           lowSteps <= 255;
}

void RequestNewLimits(AppState& st, double highSteps, double lowSteps, int mode) {
    st.LimitHigh = highSteps;
    st.LimitLow = lowSteps;
    st.LimitMode = mode;
    st.LimitsConfirmed = 0;
}
