// The decimal separator of typed numbers: a number typed into a page may use
// a decimal comma; it is turned into point notation before conversion.
#pragma once

namespace sorvan {

// Replaces the first "," of `NumberText` by "." (only the first one).
void NormaliseNumberInput();

}  // namespace sorvan
