#pragma once
// The two sets of date-time patterns: US order (month first, 12-hour clock with am/pm) and
// European order (day first, 24-hour clock).

struct AppState;

void SetUsDatePatterns(AppState& st);
void SetEuropeanDatePatterns(AppState& st);
