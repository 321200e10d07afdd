#include "quality/Nominal.h"

#include "shell/AppState.h"
#include "shell/FileLocations.h"

#include <QSettings>
#include <cmath>

namespace quality {

namespace {

QString Key(double loggerNumber) {
    return QStringLiteral("nominal/logger%1").arg(static_cast<qint64>(std::floor(loggerNumber)));
}

bool Typeable(double volts) {
    return volts >= kLowestNominal && volts <= kHighestNominal;
}

} // namespace

double DefaultNominal(double high, double low) {
    const double middle = (high + low) / 2;
    double best = kUsualNominals.front();
    for (const double v : kUsualNominals)
        if (std::abs(v - middle) < std::abs(best - middle)) best = v;
    return best;
}

bool IsVoltageUnit(const QString& unit) {
    const QString u = unit.trimmed();
    return u == QLatin1String("V") || u == QLatin1String("Volt") || u == QLatin1String("V rms");
}

std::optional<double> RememberedNominal(double loggerNumber) {
    const QSettings file(ProgramSettingsPath(), QSettings::IniFormat);
    bool ok = false;
    const double volts = file.value(Key(loggerNumber)).toDouble(&ok);
    if (!ok || !Typeable(volts)) return std::nullopt;
    return volts;
}

bool RememberNominal(double loggerNumber, double volts) {
    QSettings file(ProgramSettingsPath(), QSettings::IniFormat);
    file.setValue(Key(loggerNumber), volts);
    file.sync();
    return file.status() == QSettings::NoError;
}

std::optional<double> RecordNominal(const QString& unit, double loggerNumber, double high,
                                    double low) {
    if (!IsVoltageUnit(unit)) return std::nullopt;
    if (const auto chosen = RememberedNominal(loggerNumber)) return chosen;
    return DefaultNominal(high, low);
}

std::optional<double> RecordNominal(const AppState& st) {
    if (IsVoltageUnit(st.UnitName) && !st.NominalVoltage.isEmpty() &&
        st.NominalLogger == st.LoggerNumber)
        return st.NominalVoltage.value();
    return RecordNominal(st.UnitName, st.LoggerNumber, st.HighLimitValue, st.LowLimitValue);
}

bool ChooseNominal(AppState& st, double volts) {
    st.NominalVoltage = volts;
    st.NominalLogger = st.LoggerNumber;
    return RememberNominal(st.LoggerNumber, volts);
}

} // namespace quality
