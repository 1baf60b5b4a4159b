#pragma once

#include <QImage>
#include <QSize>

class TFodder;

// The picture a material shows on the canvas: texts laid out as the card
// will show them, time, counter and data texts imitated, the first picture
// of a picture group or table, the first frame of an animation. A null image
// when there is nothing to show (the caller shows a caption).
QImage MaterialPreview(const TFodder &fodder, const QSize &size);
