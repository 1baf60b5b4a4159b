#pragma once

#include <QByteArray>
#include <QImage>

// Card pixel format.
//
// Pixels are read row by row from the top, each row left to right. Eight
// consecutive pixels form a group; the first pixel of a group is the most
// significant bit (0x80), the eighth the least significant (0x01). Each
// group emits one byte per plane: plane 1 red, plane 2 green, plane 3 blue
// (single colour: red only; dual: red then green; full: red, green, blue).
// A component of 0x50 or less gives bit 1, above 0x50 bit 0: a lit LED is 0.
// Groups run on across row ends (rows are not padded); pixels of a last
// incomplete group are not emitted. Length = W * H * planes / 8 bytes.

// Bytes per group of 8 pixels for a card ColourCode: 56 -> 1, 57 -> 2,
// 58 -> 3; other codes -> 1.
int ColourPlanes(int colourCode);

// Packs an image (any format; 24/32-bit RGB read directly) into planes 1..3.
// A null image or planes outside 1..3 give an empty array.
QByteArray PackPixels(const QImage &image, int planes);

// The picture matched to a W x H region: cut to the left W columns and the
// top H rows, padded with black (bit 1 in every plane) on the right and at
// the bottom. Format_RGB32. A null result for W or H below 1.
QImage FitToRegion(const QImage &picture, int W, int H);
