#pragma once

#include <QIcon>

namespace cuffware {

// The builder's icon, a wrist watch: the PNG sizes rendered at build time
// from packaging/icon/cuffware-builder.svg, held as resources.
QIcon ApplicationIcon();

}  // namespace cuffware
