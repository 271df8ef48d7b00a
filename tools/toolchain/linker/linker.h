#pragma once
// What lk88 does, apart from files: joins the modules' sections into one
// linked module and resolves every EXTERN to the one GLOBAL of that name,
// so only section addresses are left for the locator.

#include <string>
#include <vector>

#include "platform/result.h"
#include "toolchain/object/object_module.h"

namespace cuffware::toolchain {

struct LinkInput {
    std::string fileName;  // as given, for messages
    ObjectModule module;
};

// Fails on a symbol no module defines ("a.obj: undefined symbol 'Beep'
// (EXTERN here, GLOBAL in no module)") or one two modules define
// ("b.obj: symbol 'Beep' is defined in a.obj and in b.obj").
Result<ObjectModule> Link(std::vector<LinkInput> inputs);

}  // namespace cuffware::toolchain
