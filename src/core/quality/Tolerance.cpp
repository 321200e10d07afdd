#include "quality/Tolerance.h"

#include <algorithm>
#include <cmath>

namespace quality {

std::optional<int> LevelAt(Curve curve, int durationMs) {
    // The steps of a curve follow one another in the table, shortest first.
    for (const CurveStep& step : kCurveSteps)
        if (step.curve == curve && durationMs <= step.untilMs) return step.levelTenths;
    return std::nullopt;
}

int PercentTenths(double value, double nominal) {
    const double tenths = std::round(value / nominal * 1000.0);
    // A reading far off a tiny typed nominal must not overflow the count.
    return static_cast<int>(std::clamp(tenths, -1e9, 1e9));
}

int DurationMs(double days) {
    return static_cast<int>(std::clamp(std::round(days * 86400000.0), 0.0, 1e9));
}

Judgement Judge(int durationMs, int minTenths, int maxTenths) {
    Judgement j;
    j.minTenths = minTenths;
    j.maxTenths = maxTenths;
    j.sag = minTenths < 1000;
    j.swell = maxTenths > 1000;
    if (j.sag) {
        j.sagRegion = minTenths < *LevelAt(Curve::IticLower, durationMs) ? IticRegion::NoDamage
                                                                         : IticRegion::Within;
        const std::optional<int> semi = LevelAt(Curve::SemiF47, durationMs);
        j.semi = !semi               ? SemiVerdict::NotCovered
                 : minTenths < *semi ? SemiVerdict::Outside
                                     : SemiVerdict::Inside;
    }
    if (j.swell)
        j.swellRegion = maxTenths > *LevelAt(Curve::IticUpper, durationMs) ? IticRegion::Prohibited
                                                                           : IticRegion::Within;
    j.itic = std::max(j.sagRegion, j.swellRegion);
    return j;
}

} // namespace quality
