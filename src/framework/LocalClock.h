// The local time within the current hour, in milliseconds.
#pragma once

#include <QTime>

// minute * 60000 + second * 1000 + millisecond, 0 to 3 599 999.
inline int LocalTimeMsWithinHour() {
  const QTime now = QTime::currentTime();
  return now.minute() * 60000 + now.second() * 1000 + now.msec();
}
