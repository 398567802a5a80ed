#include "Unit3.h"

namespace Unit3 {

bool Modified = false;
QString ImportGenre;
QString ImportFileName;
bool ImportConfirmed = false;

} // namespace Unit3
