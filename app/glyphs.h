#pragma once

#include <QIcon>

// Small pictures of our own for the menu entries, the "Plot C" image list and the
// program's icon; drawn in code so that no binary asset needs keeping.
namespace glyphs {

QIcon data();       // "Data": an open folder
QIcon group();      // "Group": three figures
QIcon plotA();      // "Plot A": a kite on crossed axes
QIcon plotB();      // "Plot B": grouped bars
QIcon plotC();      // "Plot C": its own glyph, bars above and below a base line
QIcon save();       // "Save": a floppy disk
QIcon saveData();   // "Save Data": a page of lines
QIcon clear();      // "Clear": a cross
QIcon tableImage(); // image list 0: a small table, with the caption "Info"
QIcon barsImage();  // image list 1: red bars above and below a base line, with "Plot C"
QIcon appIcon(int size = 32);

} // namespace glyphs
