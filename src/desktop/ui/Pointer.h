#pragma once
// The application-wide mouse pointer: default or hourglass. The hourglass is also the busy flag
// that other commands look at (a zoom is not started while it shows).

namespace ui {

enum class Pointer { Default = 0, Hourglass = 11 };

void SetPointer(Pointer pointer);
Pointer CurrentPointer();
inline bool IsHourglass() { return CurrentPointer() == Pointer::Hourglass; }

} // namespace ui
