#pragma once

#include <QIcon>

namespace cuffware {

// The builder's icon: a wrist watch, drawn rather than shipped as a file.
QIcon ApplicationIcon();

}  // namespace cuffware
