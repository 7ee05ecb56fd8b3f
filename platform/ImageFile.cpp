#include "ImageFile.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QString>

#include <cstring>

bool WriteRgbPng(int fileDescriptor, int width, int height, const std::uint8_t* rgb,
                 const ImageTextChunks& textChunks, std::string& error)
{
    // Wraps the caller's pixels without copying them; the image lives only
    // for this call.
    const QImage image(rgb, width, height, static_cast<qsizetype>(width) * 3,
                       QImage::Format_RGB888);
    if (image.isNull()) {
        error = "cannot describe a " + std::to_string(width) + "x" +
                std::to_string(height) + " image";
        return false;
    }
    QFile file;
    if (!file.open(fileDescriptor, QIODevice::WriteOnly, QFileDevice::DontCloseHandle)) {
        error = file.errorString().toStdString();
        return false;
    }
    QImageWriter writer(&file, "png");
    for (const auto& [key, value] : textChunks)
        writer.setText(QString::fromStdString(key), QString::fromStdString(value));
    if (!writer.write(image)) {
        error = writer.errorString().toStdString();
        return false;
    }
    if (!file.flush()) {
        error = file.errorString().toStdString();
        return false;
    }
    return true;
}

bool ReadRgbImage(const std::string& path, RgbImage& image, std::string& error)
{
    QImageReader reader(QString::fromStdString(path));
    QImage decoded = reader.read();
    if (decoded.isNull()) {
        error = reader.errorString().toStdString();
        return false;
    }
    decoded.convertTo(QImage::Format_RGB888);
    image.width = decoded.width();
    image.height = decoded.height();
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 3;
    image.rgb.resize(rowBytes * static_cast<std::size_t>(image.height));
    for (int y = 0; y < image.height; ++y)
        std::memcpy(image.rgb.data() + rowBytes * static_cast<std::size_t>(y),
                    decoded.constScanLine(y), rowBytes);
    image.textChunks.clear();
    for (const QString& key : decoded.textKeys())
        image.textChunks.emplace_back(key.toStdString(),
                                      decoded.text(key).toStdString());
    return true;
}
