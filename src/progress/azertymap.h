// The small AZERTY keyboard of the progression window as data: each key's
// place, its caption and the characters (or key names) it types, so that a
// missed character can be put on its key.
#pragma once
#include <QRectF>
#include <QString>

#include <span>

namespace progress {

struct MapKey
{
    QRectF place;     // in key units: a letter key is 1 x 1
    QString caption;  // what the key shows
    QString produces; // characters typed with it, alone, with Shift or Alt Gr
    QString names;    // key names of the key drill, separated by '|'
};

// Five rows, 15 units wide and 5 high.
std::span<const MapKey> azertyKeys();
constexpr double kMapWidth = 15;
constexpr double kMapHeight = 5;

// The index of the key that types expected (a character or a drill key
// name), or -1 when the small keyboard has no such key. A capital letter is
// on its letter's key; an accented letter made with a dead key is on the
// dead key.
int keyOf(const QString &expected);

} // namespace progress
