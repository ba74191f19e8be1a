#include "ui/qt/PictureFile.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <string>

#include "content/Failure.h"
#include "content/TextEncoding.h"
#include "content/TextFile.h"

namespace veltrane::qt {
namespace {

// A header can claim anything; larger pictures are refused before decoding.
constexpr qint64 kMaxPicturePixels = 32LL * 1024 * 1024;

}  // namespace

QImage ReadJpeg(const std::filesystem::path& file) {
  // Bounded, and never blocked by a FIFO or a device.
  const std::string bytes = ReadFileBytes(file);
  const QByteArray raw =
      QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QBuffer buffer;
  buffer.setData(raw);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "jpeg");
  reader.setAutoDetectImageFormat(false);  // a GIF named .jpg must not be shown as a GIF
  reader.setDecideFormatFromContent(false);
  const auto fail = [&file](const std::string& reason) {
    throw Failure("Could not show the picture \"" + DisplayPath(file) + "\": " + reason + ".");
  };
  if (!reader.canRead()) fail("it is not a readable JPEG picture");
  const QSize size = reader.size();
  if (!size.isValid() || size.isEmpty()) fail("it is not a readable JPEG picture");
  if (static_cast<qint64>(size.width()) * size.height() > kMaxPicturePixels) {
    fail("it is too large (" + std::to_string(size.width()) + " x " +
         std::to_string(size.height()) + " pixels)");
  }
  QImage image = reader.read();
  if (image.isNull()) fail(reader.errorString().toStdString());
  return image;
}

}  // namespace veltrane::qt
