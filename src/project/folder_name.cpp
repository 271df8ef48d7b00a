#include "project/folder_name.h"

#include <string>

#include "platform/text_rules.h"
#include "project/path_field.h"

namespace cuffware {

namespace {

constexpr std::string_view kRefusedCharacters = "\\/:*?\"<>|";

std::string Refusal(std::string_view folder, std::string_view reason) {
    return "the folder name \"" + ControlBytesEscaped(folder) + "\" " + std::string(reason);
}

}  // namespace

Status CheckPlainFolderName(std::string_view folder) {
    if (Trimmed(folder).empty())
        return Diagnostic{"", 0, "the folder name must not be blank"};
    if (HasControlByte(folder))
        return Diagnostic{"", 0, Refusal(folder, "holds a control byte")};
    if (folder.find_first_of(kRefusedCharacters) != std::string_view::npos)
        return Diagnostic{"", 0, Refusal(folder, "must hold none of \\ / : * ? \" < > |")};
    if (folder == "." || folder == "..")
        return Diagnostic{"", 0, Refusal(folder, "is not a folder below the SDK's app folder")};
    if (folder.back() == '.' || folder.back() == ' ')
        return Diagnostic{"", 0, Refusal(folder, "ends in a dot or a space, which Windows drops")};
    if (std::optional<std::string> device = DeviceNameIn(folder))
        return Diagnostic{"", 0, Refusal(folder, "names the Windows device " + *device)};
    return Status::Ok();
}

}  // namespace cuffware
