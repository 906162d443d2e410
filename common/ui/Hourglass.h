#pragma once
// The hourglass cursor for as long as a command runs, errors included.
#include <QApplication>

namespace vorlix {

class THourglass {
public:
    THourglass() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~THourglass() { QApplication::restoreOverrideCursor(); }
    THourglass(const THourglass&) = delete;
    THourglass& operator=(const THourglass&) = delete;
};

}  // namespace vorlix
