#pragma once

// Qt's application object takes the desktop's locale for the C library as a whole, so that under
// a Russian desktop printf writes "27,33" and strtod stops at the point: every library that
// formats with them (libxlsxwriter's cells among them) would then write numbers no other program
// reads. Called once, right after the application object is made and before any thread starts:
// the C library's numbers stay C for the whole process. Qt's own formatting (QString::number,
// QLocale) does not depend on it; texts for people keep the user's locale through QLocale.
namespace numfmt {

void keepCNumbersInTheCLibrary();

} // namespace numfmt
