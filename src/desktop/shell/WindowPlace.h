#pragma once
// Where a window opens: where the user left it (size, position, maximised), kept per user in the
// program's own settings file, as long as a screen is still there to show it; else centred on
// the primary screen. A window without a kept place opens at a share of the primary screen,
// never smaller than its design size.

#include <QList>
#include <QRect>
#include <QString>
#include <optional>

class QWidget;

// The geometry (without the window frame) to open at. `saved` is the last place, `screens` the
// available area of each screen there is now, `primary` the primary one's; a window that was left
// larger than the screen it comes back on is made to fit it.
QRect PlaceWindow(const std::optional<QRect>& saved, const QList<QRect>& screens,
                  const QRect& primary, const QSize& smallest, double firstShare);

// Puts the window (not shown yet) where its kept place under `name` says, or at its first place.
// Returns whether it is to be shown maximised.
bool RestoreWindowPlace(QWidget& window, const QString& name, const QSize& smallest,
                        double firstShare);
// Whether a place is kept for the window.
bool HasWindowPlace(const QString& name);
// Keeps the window's place for the next time: its normal geometry and whether it is maximised.
// A settings file that cannot be written loses the place, without a word: the window then opens
// where it opens the first time.
void KeepWindowPlace(const QWidget& window, const QString& name);
