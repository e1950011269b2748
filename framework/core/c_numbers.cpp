#include "core/c_numbers.h"

#include <clocale>

namespace numfmt {

void keepCNumbersInTheCLibrary()
{
    std::setlocale(LC_NUMERIC, "C");
}

} // namespace numfmt
