#pragma once

#include <QImage>
#include <filesystem>

namespace veltrane::qt {

// Decodes a niche picture: a JPEG, whatever its name suggests, read through the bounded content
// reader and refused before decoding when its header claims too many pixels. Throws Failure
// naming the file and the reason.
QImage ReadJpeg(const std::filesystem::path& file);

}  // namespace veltrane::qt
