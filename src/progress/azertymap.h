// The small keyboard of the progression window: the main block of the
// keyboard model, each key with its caption on the learner's keymap, so that
// a missed character can be put on the key that types it.
#pragma once
#include <QRectF>
#include <QString>

#include <span>

namespace progress {

struct MapKey
{
    QRectF place;    // in key units: a letter key is 1 x 1
    QString caption; // what the key shows
    QString names;   // key names of the key drill, separated by '|'
    int evdev;       // the physical key (keyboard::PhysicalKey::evdev)
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
