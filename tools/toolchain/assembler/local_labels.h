#pragma once
// Local labels. A label written ".name" belongs to the ordinary label
// before it, its scope, and is kept as "Scope.name": every routine may have
// its own ".loop", and "Scope.name" reaches one from anywhere. The labels a
// macro's LOCAL names become ("Macro.name.N") open no scope.

#include <string>
#include <string_view>

#include "platform/result.h"
#include "toolchain/assembler/source_line.h"

namespace cuffware::toolchain {

// A label as it may stand before its colon: a name, ".name", or a
// qualified name ("Scope.name", "Macro.name.3").
bool IsLabelName(std::string_view text);

class LabelScope {
  public:
    // Forgets the scope, for a new pass.
    void Reset() { scope_.clear(); }

    // Makes each ".name" of the statement's label and expressions
    // "Scope.name"; an ordinary label becomes the scope first, so a local
    // label on its line is its own. The arguments of a macro's use stay as
    // written (the lines they go into are qualified in their turn). Fails on
    // a ".name" before any ordinary label.
    Status Qualify(Statement& statement, bool usesMacro);

  private:
    Result<std::string> Qualified(std::string_view text) const;

    std::string scope_;
};

}  // namespace cuffware::toolchain
