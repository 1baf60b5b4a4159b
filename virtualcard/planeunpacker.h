#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>

// Turns the bit planes a card stores back into pictures.
//
// A page of W x H pixels is a run of groups of eight pixels, read row by row
// without padding at row ends; each group holds one byte per plane (red, then
// green, then blue), the first pixel in the most significant bit. A bit of 0
// is a lit component, 1 a dark one. The last incomplete group of a page is
// not stored, so its pixels come back dark.
namespace PlaneUnpacker {

// Bytes one page of W x H takes with the given number of planes (1..3).
qsizetype PageBytes(int width, int height, int planes);

// One page from `data` starting at `offset`; a short buffer leaves the
// missing pixels dark. Returns a null image for a size or plane count out of
// range.
QImage UnpackPage(const QByteArray &data, qsizetype offset, int width, int height, int planes);

// `pageCount` pages, page after page (at most as many as the data holds,
// a trailing partial page included).
QList<QImage> UnpackPages(const QByteArray &data, int width, int height, int planes, int pageCount);

} // namespace PlaneUnpacker
