#pragma once

#include <QByteArray>
#include <QImage>

// Decodes a JPEG file's bytes with libjpeg into a 24-bit RGB image: colour output even for a
// greyscale file, the accurate integer DCT, no fancy upsampling (no smoothing) and a single
// final pass (no progressive display). A null image when the data is not a decodable JPEG.
QImage DecodeJpeg(const QByteArray& data);
