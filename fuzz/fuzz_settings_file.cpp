// Any bytes as the settings file: the reader must stop cleanly, and whatever it read must be
// written in a form that reads back. The five settings of lines 2..6 are read from the last
// characters of their texts only, so a value written in more characters than that (a negative
// baud rate, "baud = -3", reads back as 0) may change once; one more round must then give the
// same file again, and every other line must survive the first round unchanged.
#include "shell/SettingsFile.h"

#include <QByteArrayList>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

QByteArray Rewritten(const QByteArray& written) {
    SettingsData data;
    Check(ParseSettings(written, data));
    return FormatSettings(data);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SettingsData first;
    ParseSettings(QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)),
                  first);
    const QByteArray written = FormatSettings(first);
    const QByteArray again = Rewritten(written);
    Check(Rewritten(again) == again);

    // Lines 2..6 (indexes 1..5) are the settings; the voltage range, probe data and unit texts
    // that follow may hold line breaks inside quotes, but the same ones in both files.
    const QList<QByteArray> before = written.split('\n');
    const QList<QByteArray> after = again.split('\n');
    Check(before.size() == after.size());
    for (qsizetype i = 0; i < before.size(); ++i)
        Check((i >= 1 && i <= 5) || before[i] == after[i]);
    return 0;
}
