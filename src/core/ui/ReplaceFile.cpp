#include "ui/ReplaceFile.h"

#include <QSaveFile>

namespace ui {

QString ReplaceFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    // Unbuffered: a buffered QSaveFile writes its last piece inside commit(), and a disk that
    // fills up there is not reported; the piece written so far (or nothing) would then take the
    // old file's place.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return file.errorString();
    // A full disk or a file-size limit takes part of a write without a word; writing the rest
    // brings out the error.
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0) {
            const QString reason = file.errorString();
            file.cancelWriting();
            return reason;
        }
        done += written;
    }
    if (!file.commit()) return file.errorString();
    return {};
}

} // namespace ui
