#pragma once
// What the commands that write a file other than the record file share: the name asked for with
// a suggestion, the question before an existing file is replaced, and the write that replaces a
// file whole or not at all and says why when it cannot.

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

class Log1;
struct AppState;

// True with a record in memory; else tells the person there is none to work on.
bool RecordLoadedOrSay(Log1& w);

// A menu caption as a window title: without its keyboard letter and its ellipsis.
QString PlainCaption(const QString& caption);

// The record's title as a file name (characters no file name may hold become "_"), with ending;
// the name of the file the record came from when it has no title; empty when neither exists.
QString SuggestedFileName(const AppState& st, const QString& ending);

// The name unless it already ends in `ending` (case aside), then the name with it.
QString WithEnding(const QString& name, const QString& ending);

// The Save As dialog (filter in the design's form), the chosen name completed by completeName,
// and the question before an existing file is replaced: No asks for another name. Nothing when
// the person cancels.
std::optional<QString>
ChooseFileToWrite(Log1& w, const QString& title, const QString& filter, const QString& suggested,
                  const std::function<QString(const QString&)>& completeName);

// Replaces the file with the bytes, whole or not at all; when it cannot, tells the person what
// failed and why and that an earlier file of that name is unchanged, and returns false.
bool WriteFileOrSay(Log1& w, const QString& path, const QByteArray& bytes);
// The same for a document drawn first: no bytes mean the drawing failed, and the person is told
// so (`notDrawn`, why) with the same message; nothing is written.
bool WriteDrawnFileOrSay(Log1& w, const QString& path, const QByteArray& bytes,
                         const QString& notDrawn);
