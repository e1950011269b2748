#include "desk_window.h"

namespace desk {

void DeskWindow::collect() {}

} // namespace desk
