// The decimal separator of typed numbers.
#include "shell/number_text.h"

#include "core/model.h"

namespace sorvan {

void NormaliseNumberInput() {
  const auto comma = G.NumberText.find(',');
  if (comma != std::string::npos) G.NumberText[comma] = '.';
}

}  // namespace sorvan
