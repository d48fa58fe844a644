#include "screening/duplicate_screen.h"

namespace dedup {

void DuplicateScreen::screen(StationTable&) {}

}  // namespace dedup
