#pragma once

#include <QByteArray>
#include <QWidget>

namespace ui {

// A hidden multi-line text holder without word wrap: it keeps a loaded file's text
// byte for byte (Windows-1251, CR LF line breaks), so that line numbers follow the
// text's own line breaks and the cipher sees exactly the file's characters.
class TextBuffer : public QWidget {
    Q_OBJECT
public:
    explicit TextBuffer(QWidget *parent = nullptr);

    const QByteArray &text() const { return m_text; }
    void setText(const QByteArray &text) { m_text = text; }

private:
    QByteArray m_text;
};

} // namespace ui
