// Any bytes as the settings file: the reader must stop cleanly, and whatever it read must be
// written back in a form that reads back to the very same file.
#include "shell/SettingsFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SettingsData first;
    ParseSettings(QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)),
                  first);
    const QByteArray written = FormatSettings(first);
    SettingsData second;
    if (!ParseSettings(written, second)) std::abort();
    if (FormatSettings(second) != written) std::abort();
    return 0;
}
