// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's drawing area as the X server shows it, compared pixel for pixel with an
// image, where no other control lies above the area (gbVectors, the enlarged explanation).
#pragma once

#include <QImage>
#include <QString>

class QWidget;
class ScreenPixels;
class TKVFGraphiques;

struct Difference {
  int count = -1;  // -1: the screen could not be read
  QString first;
  QString Said() const { return QString::number(count) + " pixels differ, " + first; }
};

// The screen against `expected`, now.
Difference DrawingAreaAgainst(ScreenPixels& screen, const TKVFGraphiques& window,
                              const QImage& expected);
// The same after letting the event loop run until the two agree, for two seconds at the most.
Difference AwaitDrawingArea(ScreenPixels& screen, const TKVFGraphiques& window,
                            const QImage& expected);

// A control of the window, all of it, on the screen against `expected`, now.
Difference ControlAgainst(ScreenPixels& screen, const QWidget& control, const QImage& expected);
