#pragma once
// A path with every link on its way resolved as far as it exists (as
// std::filesystem::weakly_canonical, falling back to the path made normal by
// its text when even that fails). The path rule asks for it on every
// relative path a tool is given, so where the host can tell the whole
// answer at once it does.

#include <filesystem>

namespace cuffware {

std::filesystem::path ResolvedPath(const std::filesystem::path& path);

}  // namespace cuffware
