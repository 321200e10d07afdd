#pragma once
// Helpers shared by the tests: a temporary working directory (the program keeps its files in
// the working directory) and the main window built exactly as the program builds it.

#include "shell/AppState.h"
#include "shell/Log1.h"

#include <QDir>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <initializer_list>
#include <memory>

// Creates a temporary directory and makes it the working directory until destroyed. The
// per-user settings folder (XDG_CONFIG_HOME) and data folder (XDG_DATA_HOME, where downloads are
// archived) move to temporary directories of their own meanwhile, so a program started without
// settings in the working directory never sees the user's own.
class ScopedWorkDir {
public:
    ScopedWorkDir();
    ~ScopedWorkDir();
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }
    QString configPath() const { return config_.path(); }
    QString dataPath() const { return data_.path(); }
    // Writes bytes to a file in the directory.
    void write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;

private:
    QTemporaryDir dir_, config_, data_;
    QString previous_;
    QByteArray previousConfig_, previousData_;
};

class Pty;
class QDialog;
class QRadioButton;

// A status record as the logger sends it, with the given bytes (numbered from 1) set and every
// other byte 0.
QByteArray StatusRecordWith(std::initializer_list<std::pair<int, int>> bytes);

// The text of a PDF file as pdftotext gives it with the option ("-layout", "-bbox").
QString PdfText(const QString& path, const QString& option = QStringLiteral("-layout"));

// Rows of an RFC 4180 text; a line end other than CR LF stays inside its field.
QList<QStringList> ReadCsv(const QByteArray& bytes);

// A dialog's radio button OptionN (the port dialog's COM options, say).
QRadioButton* OptionOf(QDialog& dialog, int n);

// A digest of the record in memory: counts, both record arrays whole, description, unit, limits
// and logger number. Equal digests mean the record was left exactly as it was.
QByteArray RecordDigest(const AppState& st);

// The program's main window on a fresh state record, wired like the real program, not loaded.
struct MainWindowFixture {
    MainWindowFixture();
    ~MainWindowFixture();

    // Starts the program as a user with a settings file would: when the working directory has
    // no loggerx.ini, one is written (English, COM1, US dates); unless the test has pointed
    // VESTO_COM1 somewhere itself, COM1 is a quiet line of the fixture's own, so start-up asks
    // nothing and the status polls go nowhere.
    void load();

    std::unique_ptr<AppState> st;
    std::unique_ptr<Log1> w;
    std::unique_ptr<Pty> line;
};
