#pragma once
// What an SDK header says an entry point gives back, from the comment above
// its equate:
//   ; TIME_GET: reads the watch's time.
//   ;   takes: nothing
//   ;   gives: [TIMEVAR_HOURS], [TIMEVAR_MINUTES], [TIMEVAR_SECONDS] = the time
// A stub in a routine test may give only what its entry point gives.

#include <map>
#include <set>
#include <string>
#include <string_view>

namespace cuffware {

struct EntryContract {
    std::set<std::string> registers;  // upper case: "A", "BA", "Z"...
    std::set<std::string> memory;     // the names of [NAME]
    bool anyMemory = false;           // it gives memory through a register: [HL]
};

// The entry points a header's comments describe with a "gives:" line each
// clause of which ("A = ...", "[NAME] = ...", separated by ", ") names a
// register, a flag or memory, or that says "nothing". An entry point whose
// gives line says anything else is left out: it is not checked.
std::map<std::string, EntryContract> EntryContractsFromHeader(std::string_view text);

}  // namespace cuffware
