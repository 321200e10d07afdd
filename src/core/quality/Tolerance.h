#pragma once
// Whether an event mattered for the equipment on the supply: its lowest and highest reading as a
// per cent of the nominal voltage, judged against the tolerance curves equipment is built to.
//
//   ITIC (once CBEMA), for IT equipment: between its upper and its lower curve the equipment
//   should ride through; above the upper curve lies the prohibited region (damage likely), below
//   the lower one the no-damage region (the equipment may stop, but should not be damaged).
//   SEMI F47, for semiconductor tools: sags the tool must ride through, up to one second.
//
// Everything is counted in whole milliseconds and tenths of a per cent, the precision the events
// list shows: 69.96 % is listed as 70.0 % and judged as 70.0 %, so the list never contradicts
// itself, and a point exactly on a curve stays exactly on it.

#include <array>
#include <optional>

namespace quality {

enum class Curve { IticUpper, IticLower, SemiF47 };

// One step of a curve: its level holds for durations above the previous step's and up to
// untilMs. The last step of the ITIC curves holds for ever.
struct CurveStep {
    Curve curve;
    int untilMs;
    int levelTenths; // per cent of nominal, in tenths
};
inline constexpr int kForever = 1 << 30;

// Every point of the curves, in one place: the judgement and the chart both read them here.
inline constexpr std::array<CurveStep, 8> kCurveSteps{{
    {Curve::IticUpper, 500, 1200},      // ITIC upper curve: 120 % up to 0.5 s
    {Curve::IticUpper, kForever, 1100}, // ITIC upper curve: 110 % beyond
    {Curve::IticLower, 500, 700},       // ITIC lower curve: 70 % up to 0.5 s
    {Curve::IticLower, 10000, 800},     // ITIC lower curve: 80 % up to 10 s
    {Curve::IticLower, kForever, 900},  // ITIC lower curve: 90 % beyond
    {Curve::SemiF47, 200, 500},         // SEMI F47: 50 % up to 0.2 s
    {Curve::SemiF47, 500, 700},         // SEMI F47: 70 % up to 0.5 s
    {Curve::SemiF47, 1000, 800},        // SEMI F47: 80 % up to 1 s; longer sags are not covered
}};

// The curve's level for a duration; nothing where the curve ends (SEMI F47 beyond 1 s).
std::optional<int> LevelAt(Curve curve, int durationMs);

// Ordered from harmless to harmful: the worse of two is the greater.
enum class IticRegion { Within, NoDamage, Prohibited };
enum class SemiVerdict { None, Inside, Outside, NotCovered };

struct Judgement {
    int minTenths = 0, maxTenths = 0; // lowest and highest reading, tenths of a per cent
    bool sag = false, swell = false;  // below 100 %, above 100 %
    IticRegion sagRegion = IticRegion::Within, swellRegion = IticRegion::Within;
    IticRegion itic = IticRegion::Within; // the worse of the two
    SemiVerdict semi = SemiVerdict::None; // sags only
};

// Events by ITIC region and by SEMI F47 verdict, in the order of the enums.
struct RegionCounts {
    std::array<int, 3> itic{};
    std::array<int, 4> semi{};
};

// A value as tenths of a per cent of the nominal, rounded half away from zero.
int PercentTenths(double value, double nominal);
// A duration in days as whole milliseconds.
int DurationMs(double days);

Judgement Judge(int durationMs, int minTenths, int maxTenths);

} // namespace quality
