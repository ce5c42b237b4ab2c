#pragma once
// The busy mouse pointer for as long as an object lives, around work the user waits for.

#include <QCursor>
#include <QGuiApplication>

namespace tally {

class BusyPointer {
public:
    BusyPointer() { QGuiApplication::setOverrideCursor(Qt::BusyCursor); }
    ~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

}  // namespace tally
