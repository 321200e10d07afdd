#include "shell/DatePatterns.h"

#include "shell/AppState.h"

void SetUsDatePatterns(AppState& st) {
    st.DateTimeFormatLong = QStringLiteral("mm/dd/yy hh:mm:ss am/pm");
    st.DateTimeFormatShort = QStringLiteral("m/d/yy hh:mm:ss am/pm");
    st.DateFormat = QStringLiteral("m/d/yy");
    st.TimeFormatSec = QStringLiteral("hh:mm:ss am/pm");
    st.TimeFormatMin = QStringLiteral("h:mm am/pm");
    st.TimeFormatHour = QStringLiteral("h am/pm");
    st.DateOrder = QStringLiteral("US");
}

void SetEuropeanDatePatterns(AppState& st) {
    st.DateTimeFormatLong = QStringLiteral("dd/mm/yy hh:mm:ss");
    st.DateTimeFormatShort = QStringLiteral("d/m/yy hh:mm:ss");
    st.DateFormat = QStringLiteral("d/m/yy");
    st.TimeFormatSec = QStringLiteral("hh:mm:ss");
    st.TimeFormatMin = QStringLiteral("h:mm");
    st.TimeFormatHour = QStringLiteral("   hh");
    st.DateOrder = QStringLiteral("EUR");
}
