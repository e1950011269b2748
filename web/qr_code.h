#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

// A link as a QR code, for the terminal, a slide (PNG) or a poster (SVG).
namespace web {

class QrCode {
public:
    // The code of `text` with medium error correction; empty when it does not fit in one.
    explicit QrCode(const QByteArray &text);

    bool isEmpty() const { return m_size == 0; }
    int size() const { return m_size; } // modules per side, without the quiet zone
    bool dark(int x, int y) const;      // false outside the code: the quiet zone

    // Two module rows per line in half blocks, dark on light whatever the terminal's colours
    // (ANSI colours), with a quiet zone of two modules.
    QByteArray terminalText() const;
    QByteArray png(int modulePixels = 10) const;
    QByteArray svg() const;

private:
    int m_size = 0;
    std::vector<bool> m_modules;
};

} // namespace web
