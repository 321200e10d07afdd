#include "support/Fixtures.h"

#include "app/Application.h"
#include "support/Pty.h"

#include <QCryptographicHash>
#include <QDialog>
#include <QFile>
#include <QProcess>
#include <QRadioButton>

ScopedWorkDir::ScopedWorkDir()
    : previous_(QDir::currentPath()), previousConfig_(qgetenv("XDG_CONFIG_HOME")),
      previousData_(qgetenv("XDG_DATA_HOME")) {
    QDir::setCurrent(dir_.path());
    qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", data_.path().toLocal8Bit());
}

ScopedWorkDir::~ScopedWorkDir() {
    QDir::setCurrent(previous_);
    for (const auto& [name, value] : {std::pair{"XDG_CONFIG_HOME", previousConfig_},
                                      std::pair{"XDG_DATA_HOME", previousData_}}) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
}

void ScopedWorkDir::write(const QString& name, const QByteArray& bytes) const {
    QFile f(file(name));
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
}

QByteArray ScopedWorkDir::read(const QString& name) const {
    QFile f(file(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

MainWindowFixture::MainWindowFixture()
    : st(std::make_unique<AppState>()), w(CreateMainWindow(*st)) {}

MainWindowFixture::~MainWindowFixture() {
    w.reset();
    if (line) qunsetenv("VESTO_COM1");
}

void MainWindowFixture::load() {
    if (!QFile::exists(QStringLiteral("loggerx.ini"))) {
        QByteArray settings = "\"[PORT etc]\"\r\n\"comm port =  1\"\r\n\"language =  1\"\r\n"
                              "\"baud =  4800\"\r\n\"Fahrenheit =  0\"\r\n"
                              "\"US Date Format =  1\"\r\n\"250 Volt\"\r\n\"[probe data]\"\r\n";
        for (int r = 1; r <= 11; ++r) settings += ",,,\r\n";
        for (int r = 0; r <= 61; ++r) settings += ",,,,,,,\r\n";
        settings += "\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n";
        QFile f(QStringLiteral("loggerx.ini"));
        if (f.open(QIODevice::WriteOnly)) f.write(settings);
    }
    if (!qEnvironmentVariableIsSet("VESTO_COM1")) {
        line = std::make_unique<Pty>();
        qputenv("VESTO_COM1", line->slavePath().toLocal8Bit());
    }
    w->Load();
}

QByteArray StatusRecordWith(std::initializer_list<std::pair<int, int>> bytes) {
    QByteArray r(112, '\0');
    for (const auto& [n, value] : bytes) r[n - 1] = static_cast<char>(value);
    return r;
}

QString PdfText(const QString& path, const QString& option) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {option, path, QStringLiteral("-")});
    return p.waitForFinished(60000) ? QString::fromUtf8(p.readAllStandardOutput()) : QString();
}

QList<QStringList> ReadCsv(const QByteArray& bytes) {
    const QString text = QString::fromUtf8(bytes);
    QList<QStringList> rows{{}};
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted && c == '"' && text.mid(i + 1, 1) == "\"")
            field += c, ++i;
        else if (c == '"')
            quoted = !quoted;
        else if (!quoted && c == ',')
            rows.last() << field, field.clear();
        else if (!quoted && text.mid(i, 2) == "\r\n")
            rows.last() << field, field.clear(), rows << QStringList(), ++i;
        else
            field += c;
    }
    rows.removeLast();
    return rows;
}

QRadioButton* OptionOf(QDialog& dialog, int n) {
    return dialog.findChild<QRadioButton*>(QStringLiteral("Option%1").arg(n));
}

QByteArray RecordDigest(const AppState& st) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    const auto add = [&hash](const auto& value) {
        hash.addData(QByteArrayView(reinterpret_cast<const char*>(&value), sizeof value));
    };
    for (const Number* n : {&st.RecordCount, &st.DisplayCount, &st.ProbeScale, &st.LoggerNumber,
                            &st.HighLimitValue, &st.LowLimitValue}) {
        add(n->isEmpty());
        add(n->value());
    }
    for (int block = 0; block <= kBlockCapacity; ++block) {
        for (int row = 0; row <= kRowCapacity; ++row) {
            add(st.RecordValue(block, row));
            add(st.RecordTime(block, row));
            add(st.DisplayValue(block, row));
            add(st.DisplayTime(block, row));
        }
    }
    for (const QString* text :
         {&st.GraphTitle, &st.DescriptionLine2, &st.DescriptionLine3, &st.DescriptionLine4,
          &st.DescriptionLine5, &st.DescriptionLine6, &st.DescriptionLine7, &st.UnitName})
        hash.addData((*text + QChar(0)).toUtf8());
    return hash.result();
}
