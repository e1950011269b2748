#pragma once

namespace ui {

// Qt's own texts (file dialogs, standard buttons) in Russian, the interface's language, where
// Qt's translations are installed. Call once the application object exists.
void installRussianQtTexts();

} // namespace ui
