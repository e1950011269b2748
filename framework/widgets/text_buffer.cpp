#include "text_buffer.h"

namespace ui {

TextBuffer::TextBuffer(QWidget *parent) : QWidget(parent)
{
    hide();
}

} // namespace ui
