#pragma once
// Animator Pro cels and flics (.cel, .pic, .fli, .flc files of the 0xAF12 and 0xAF11
// kinds): the first frame as a picture.
#include "base/result.h"

#include <QByteArrayView>
#include <QImage>
#include <QSize>
#include <optional>

namespace imaging::readers {

bool looksLikeFlic(QByteArrayView data);
std::optional<QSize> flicSize(QByteArrayView data);
Result<QImage> decodeFlic(QByteArrayView data);

} // namespace imaging::readers
