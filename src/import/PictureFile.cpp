#include "import/PictureFile.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <algorithm>
#include <cmath>

#include "import/ImportMessages.h"
#include "import/SvgPicture.h"

namespace pw {

namespace {

// Sides beyond this are reduced while decoding.
constexpr int kMaxDecodedSide = 8192;
// Qt's ceiling for one decoded image, in MiB: a 100-million-pixel picture
// at four bytes a pixel fits, anything a lying header claims beyond it not.
constexpr int kDecodeLimitMiB = 512;
// The longer side an SVG picture is drawn at, and the largest SVG file read.
constexpr int kSvgSide = 1024;
constexpr qint64 kMaxSvgBytes = 64LL << 20;
constexpr qint64 kMaxPictureFileBytes = 1LL << 30;

bool Fail(std::string& error, const char* message) {
    error = message;
    return false;
}

bool LooksLikeSvg(const QByteArray& head) {
    // Gzip-compressed SVG, or XML text (after a byte order mark and white
    // space) that names an svg element.
    if (head.startsWith("\x1f\x8b")) return true;
    qsizetype at = head.startsWith("\xef\xbb\xbf") ? 3 : 0;
    while (at < head.size() && (head[at] == ' ' || head[at] == '\t' || head[at] == '\r' || head[at] == '\n')) ++at;
    return at < head.size() && head[at] == '<' && head.contains("<svg");
}

std::uint8_t Lightness(QRgb rgb) {
    const int alpha = qAlpha(rgb);
    const int grey = (qRed(rgb) * 299 + qGreen(rgb) * 587 + qBlue(rgb) * 114 + 500) / 1000;
    // Laid over white.
    return static_cast<std::uint8_t>((grey * alpha + 255 * (255 - alpha) + 127) / 255);
}

void ToGrey(const QImage& image, GreyImage& out) {
    GreyImage grey(image.width(), image.height());
    const bool direct = image.format() == QImage::Format_ARGB32 || image.format() == QImage::Format_RGB32;
    for (int y = 0; y < image.height(); ++y) {
        // Other formats are converted one row at a time, never as a whole copy.
        const QImage row = direct ? QImage() : image.copy(0, y, image.width(), 1).convertToFormat(QImage::Format_ARGB32);
        const QRgb* line = reinterpret_cast<const QRgb*>(direct ? image.constScanLine(y) : row.constScanLine(0));
        for (int x = 0; x < image.width(); ++x) grey.At(x, y) = Lightness(line[x]);
    }
    out = std::move(grey);
}

bool ReadSvg(const QByteArray& bytes, GreyImage& out, std::string& error) {
    if (bytes.size() > kMaxSvgBytes) return Fail(error, msg::kPictureTooLarge);
    return RenderSvgPicture(bytes.constData(), static_cast<std::size_t>(bytes.size()), kSvgSide, out, error);
}

bool ReadRaster(QIODevice& device, GreyImage& out, std::string& error) {
    QImageReader::setAllocationLimit(kDecodeLimitMiB);
    QImageReader reader(&device);
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format().toLower();
    if (format != "png" && format != "jpeg" && format != "jpg" && format != "bmp" && format != "gif")
        return Fail(error, msg::kPictureUnreadable);
    const QSize size = reader.size();
    if (!size.isValid()) return Fail(error, msg::kPictureUnreadable);
    const long long pixels = static_cast<long long>(size.width()) * size.height();
    if (pixels <= 0) return Fail(error, msg::kPictureEmpty);
    if (pixels > kMaxPicturePixels) return Fail(error, msg::kPictureTooLarge);
    const int side = std::max(size.width(), size.height());
    if (side > kMaxDecodedSide) {
        const double k = static_cast<double>(kMaxDecodedSide) / side;
        reader.setScaledSize(QSize(std::max(1, static_cast<int>(size.width() * k)),
                                   std::max(1, static_cast<int>(size.height() * k))));
    }
    QImage image;
    if (!reader.read(&image) || image.isNull()) return Fail(error, msg::kPictureUnreadable);
    ToGrey(image, out);
    return true;
}

// Silences Qt's decoder warnings ("libpng error: ...") while it lives: a
// broken picture is reported once, by the caller, in the program's words.
class QuietDecoders {
public:
    QuietDecoders() : previous_(qInstallMessageHandler(Ignore)) {}
    ~QuietDecoders() { qInstallMessageHandler(previous_); }
    QuietDecoders(const QuietDecoders&) = delete;
    QuietDecoders& operator=(const QuietDecoders&) = delete;

private:
    static void Ignore(QtMsgType, const QMessageLogContext&, const QString&) {}
    QtMessageHandler previous_;
};

// `svgByName`: the file's name ends in .svg or .svgz, so it is SVG even when
// its first 4 KiB (a long comment, say) do not show it.
bool ReadPicture(QIODevice& device, bool svgByName, GreyImage& out, std::string& error) {
    const QuietDecoders quiet;
    const QByteArray head = device.peek(4096);
    if (head.isEmpty()) return Fail(error, msg::kPictureUnreadable);
    if (svgByName || LooksLikeSvg(head)) {
        if (device.size() > kMaxSvgBytes) return Fail(error, msg::kPictureTooLarge);
        return ReadSvg(device.readAll(), out, error);
    }
    return ReadRaster(device, out, error);
}

}  // namespace

bool LoadPicture(const std::string& path, GreyImage& out, std::string& error) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly) || file.isSequential() || file.size() > kMaxPictureFileBytes)
        return Fail(error, msg::kPictureUnreadable);
    const QString name = file.fileName().toLower();
    return ReadPicture(file, name.endsWith(QLatin1String(".svg")) || name.endsWith(QLatin1String(".svgz")), out, error);
}

bool LoadPictureFromMemory(const void* data, std::size_t size, GreyImage& out, std::string& error) {
    if (!data || size == 0 || size > static_cast<std::size_t>(kMaxPictureFileBytes))
        return Fail(error, msg::kPictureUnreadable);
    QByteArray bytes = QByteArray::fromRawData(static_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return ReadPicture(buffer, false, out, error);
}

struct GuiForPictures::Owned {
    int argc = 3;
    char name[16] = "popwright-cli";
    char option[16] = "-platform";
    char platform[16] = "offscreen";
    char* argv[4] = {name, option, platform, nullptr};
    std::unique_ptr<QGuiApplication> app;
};

GuiForPictures::GuiForPictures() {
    if (QCoreApplication::instance()) return;
    owned_ = std::make_unique<Owned>();
    owned_->app = std::make_unique<QGuiApplication>(owned_->argc, owned_->argv);
}

GuiForPictures::~GuiForPictures() = default;

}  // namespace pw
