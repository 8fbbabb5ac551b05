#pragma once

#include <QByteArray>
#include <QImage>

namespace rs {

// Decodes a JPEG held in memory with libjpeg; a null image when it cannot be decoded.
QImage DecodeJpeg(const QByteArray& bytes);

}  // namespace rs
