#pragma once

#include "app/actions/workbench.h"

namespace cuffware {

// "Create Cuffware": CheckAllSRE, then the code image, the parameter image
// and the description file. Returns true after the success message.
bool CreateCuffware(Workbench& bench);

}  // namespace cuffware
