#pragma once
// Replacing a file whole or not at all.

#include <QByteArray>
#include <QString>

namespace ui {

// Writes bytes to path through a temporary file that takes the old file's place only once all of
// them are on disk. When anything fails (no rights, a read-only or full disk, a file-size limit)
// an earlier file of that name is left exactly as it was. Returns why it failed, or an empty text.
QString ReplaceFile(const QString& path, const QByteArray& bytes);

} // namespace ui
