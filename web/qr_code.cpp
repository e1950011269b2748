#include "web/qr_code.h"

#include <QBuffer>
#include <QImage>
#include <qrencode.h>

namespace web {
namespace {

// The quiet zone the standard asks for around a printed code.
constexpr int kQuietZone = 4;
constexpr int kTerminalQuietZone = 2;

} // namespace

QrCode::QrCode(const QByteArray &text)
{
    QRcode *code = QRcode_encodeString8bit(text.constData(), 0, QR_ECLEVEL_M);
    if (!code)
        return;
    m_size = code->width;
    m_modules.resize(std::size_t(m_size) * std::size_t(m_size));
    for (std::size_t i = 0; i < m_modules.size(); ++i)
        m_modules[i] = code->data[i] & 1;
    QRcode_free(code);
}

bool QrCode::dark(int x, int y) const
{
    return x >= 0 && y >= 0 && x < m_size && y < m_size &&
           m_modules[std::size_t(y) * std::size_t(m_size) + std::size_t(x)];
}

QByteArray QrCode::terminalText() const
{
    const int low = -kTerminalQuietZone;
    const int high = m_size + kTerminalQuietZone;
    QByteArray text;
    for (int y = low; y < high; y += 2) {
        text += "\x1b[30;107m"; // black on bright white
        for (int x = low; x < high; ++x) {
            const bool top = dark(x, y);
            const bool bottom = y + 1 < high && dark(x, y + 1);
            text += top ? (bottom ? "█" : "▀") : (bottom ? "▄" : " ");
        }
        text += "\x1b[0m\n";
    }
    return text;
}

QByteArray QrCode::png(int modulePixels) const
{
    const int side = (m_size + 2 * kQuietZone) * modulePixels;
    QImage image(side, side, QImage::Format_Grayscale8);
    image.fill(255);
    for (int y = 0; y < m_size; ++y)
        for (int x = 0; x < m_size; ++x)
            if (dark(x, y))
                for (int dy = 0; dy < modulePixels; ++dy) {
                    uchar *line = image.scanLine((y + kQuietZone) * modulePixels + dy);
                    std::fill_n(line + (x + kQuietZone) * modulePixels, modulePixels, uchar(0));
                }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray QrCode::svg() const
{
    const int side = m_size + 2 * kQuietZone;
    QByteArray path;
    for (int y = 0; y < m_size; ++y)
        for (int x = 0; x < m_size; ++x)
            if (dark(x, y))
                path += "M" + QByteArray::number(x + kQuietZone) + ' ' +
                        QByteArray::number(y + kQuietZone) + "h1v1h-1z";
    const QByteArray view = QByteArray::number(side);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " +
           view + ' ' + view +
           "\" shape-rendering=\"crispEdges\">\n"
           "<rect width=\"" +
           view + "\" height=\"" + view + "\" fill=\"#fff\"/>\n<path fill=\"#000\" d=\"" + path +
           "\"/>\n</svg>\n";
}

} // namespace web
