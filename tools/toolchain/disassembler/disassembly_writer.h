#pragma once
// What dis88 prints for runs of located bytes, line by line onto a stream.
// The bytes are read a block at a time, twice (once to learn which names the
// lines use, once to print), and nothing is kept but the names, so memory
// does not grow with the bytes.
//
// The source form (the default) is a program as88 takes as it stands: each
// run of bytes under DEFSECT "name", CODE|DATA AT its address, labels at
// their addresses, equates for the names it uses that no line defines, and
// the address and bytes of each line as a comment:
//   $CASE ON
//   CORE_SET_STATE  equ 0x00C900
//           DEFSECT ".text", CODE AT 0x010000
//           SECT    ".text"
//   ClockShow:
//           CARL CORE_SET_STATE              ; 010000  F2 FF B8
// The listing form puts the address and bytes first:
//   010000  F2 FF B8     CARL CORE_SET_STATE
// With a map, the sections take the map's names and kinds, a DATA section's
// bytes are DB lines (eight a line, broken at each label), and a branch to
// an address the map (or an equate file) names uses the name.

#include <ostream>
#include <span>
#include <vector>

#include "platform/result.h"
#include "toolchain/object/s_records.h"
#include "toolchain/object/symbol_files.h"

namespace cuffware::toolchain {

enum class DisassemblyForm { kSource, kListing };

struct DisassemblyNames {
    LocateMap map;                      // empty when no map was given
    std::vector<GlobalSymbol> equates;  // from an equate file
};

// Runs of bytes at their addresses, read a block at a time.
class LocatedRuns {
  public:
    struct Extent {
        long long address;
        size_t size;
    };
    virtual ~LocatedRuns() = default;
    // Each run's address and size, in order.
    virtual std::vector<Extent> Extents() const = 0;
    // Fills into with the run's bytes from offset on.
    virtual Status Read(size_t run, size_t offset, std::span<unsigned char> into) = 0;
};

// Runs held in memory (as S-records give them).
class RunsInMemory : public LocatedRuns {
  public:
    explicit RunsInMemory(const std::vector<LoadedBytes>& runs) : runs_(runs) {}
    std::vector<Extent> Extents() const override;
    Status Read(size_t run, size_t offset, std::span<unsigned char> into) override;

  private:
    const std::vector<LoadedBytes>& runs_;
};

// Fails only when the runs cannot be read; what was written stays written.
Status WriteDisassembly(LocatedRuns& runs, const DisassemblyNames& names, DisassemblyForm form,
                        std::ostream& out);

void WriteDisassembly(const std::vector<LoadedBytes>& runs, const DisassemblyNames& names,
                      DisassemblyForm form, std::ostream& out);

}  // namespace cuffware::toolchain
