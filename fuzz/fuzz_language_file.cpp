// Any bytes as the language file: the reader must stop cleanly, never read or write outside the
// table, and leave a language count the table can hold.
#include "lang/LanguageFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    LanguageTable table;
    const LanguageFileStatus status = ParseLanguageFile(
        QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)), table);
    if (table.LanguageCount < 0 || table.LanguageCount > kLanguages) std::abort();
    if (status != LanguageFileStatus::Complete && status != LanguageFileStatus::EndedEarly &&
        table.LanguageCount != 0)
        std::abort();
    return 0;
}
