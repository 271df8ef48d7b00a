#pragma once
// sim88: an instruction-level simulator of the S1C88 core. A located program
// (S-records and its map, or a binary image at an address) is loaded into a
// 24-bit memory; a routine is run by label or address with a sentinel return
// address pushed, until it returns, hits a breakpoint, runs out of cycles or
// stops for another reason, which the stop report gives with the place,
// the cycles, the deepest stack, the SDK calls made and the last
// instructions. Addresses outside the program's sections reached by a call
// or jump are stubs: logged with the registers, then returning as RET would,
// unless the run gives the stub a behaviour.
//
// Addresses in this interface are physical 24-bit addresses unless named
// "logical" (the 16-bit PC).

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"

namespace cuffware::simulator {

enum class Model { kModel0, kModel1, kModel2, kModel3 };
enum class StackMode { kMaximum, kMinimum };  // MODEL2/3 only; MODEL0/1 behave as minimum

// The flag bits of SC.
inline constexpr uint8_t kFlagZ = 0x01;
inline constexpr uint8_t kFlagC = 0x02;
inline constexpr uint8_t kFlagV = 0x04;
inline constexpr uint8_t kFlagN = 0x08;
inline constexpr uint8_t kFlagD = 0x10;
inline constexpr uint8_t kFlagU = 0x20;
inline constexpr uint8_t kFlagI0 = 0x40;
inline constexpr uint8_t kFlagI1 = 0x80;

struct Registers {
    uint8_t a = 0, b = 0, l = 0, h = 0;
    uint16_t ix = 0, iy = 0, sp = 0, pc = 0;
    uint8_t br = 0, ep = 0, xp = 0, yp = 0;
    uint8_t nb = 1, cb = 1;
    uint8_t sc = 0xC0;
    uint8_t cc = 0;  // the customize-condition inputs F0-F3 (bits 0-3)

    uint16_t ba() const { return static_cast<uint16_t>(b << 8 | a); }
    uint16_t hl() const { return static_cast<uint16_t>(h << 8 | l); }
    bool operator==(const Registers&) const = default;
};

// Every register a run or a stub may name; BA and HL are the pairs.
enum class Register {
    kA,
    kB,
    kL,
    kH,
    kBA,
    kHL,
    kIX,
    kIY,
    kSP,
    kPC,
    kBR,
    kEP,
    kXP,
    kYP,
    kNB,
    kCB,
    kSC,
    kCC
};

// "A", "ba", "SC"... in any case; nullopt for no register.
std::optional<Register> RegisterNamed(std::string_view name);
std::string_view RegisterName(Register reg);
uint16_t Get(const Registers& registers, Register reg);
void Set(Registers& registers, Register reg, uint16_t value);  // 8-bit registers take the low byte

struct RegisterValue {
    Register reg;
    uint16_t value;
};

struct MemoryValue {
    uint32_t address;
    std::vector<uint8_t> bytes;
};

// What a program brings: its bytes where the map places them, its sections
// (the ranges that are the program's; a byte image is one section), its
// labels, and where it can be told source lines for addresses.
struct ProgramSection {
    std::string name;
    uint32_t address = 0;
    uint32_t size = 0;
};

struct Label {
    std::string name;
    uint32_t address = 0;
};

struct SourceLine {
    uint32_t address = 0;
    std::string file;
    int line = 0;
};

struct Program {
    std::vector<MemoryValue> bytes;
    std::vector<ProgramSection> sections;  // empty: each run of bytes is a section
    std::vector<Label> labels;
    std::vector<SourceLine> lines;  // sorted by address or not; optional
};

// A program from an S-record file's text and, when not empty, its lc88 map
// (sections and symbols); the names are the files' for diagnostics.
Result<Program> ProgramFromSRecords(std::string_view sRecords, const std::string& sRecordName,
                                    std::string_view map = {}, const std::string& mapName = {});

// A binary image whose first byte is at address: one section.
Program ProgramFromImage(std::span<const uint8_t> image, uint32_t address);

// Source lines from an as88 listing ("; FILE clock.asm" headings, rows
// "    12  010034  CE 40 05     LD A,[IX+5]"): each row with a line number
// and an address, the address moved by displacement (the located start of
// the listed section when the listing gives offsets in it).
Result<std::vector<SourceLine>> SourceLinesFromListing(std::string_view text,
                                                       const std::string& fileName,
                                                       uint32_t displacement = 0);

// Labels from an SDK equate file ("Name equ 0x0101F4", or the .sy form
// "Name 0101F4", a line each), used to name stubs.
Result<std::vector<Label>> LabelsFromEquates(std::string_view text, const std::string& fileName);

// What a stub does before it returns as RET would.
struct StubBehaviour {
    std::vector<RegisterValue> registers;  // set in this order (SC sets every flag)
    std::vector<MemoryValue> memory;       // written; counts as set by the run
    std::optional<uint16_t> returnValue;   // into BA (A the low byte), after registers
    std::optional<int> expectedCalls;      // reported when the count differs
};

struct Stub {
    std::string name;  // empty: the label at the address, else "sub_XXXXXX"
    uint32_t address = 0;
    StubBehaviour behaviour;
};

// One call of a stub: which, from where, the registers on entry.
struct StubCall {
    std::string name;
    uint32_t address = 0;
    uint32_t returnAddress = 0;  // physical; where the stub returned to
    uint64_t cycle = 0;          // cycles counted when it was called
    Registers registers;
};

struct StubCount {
    std::string name;
    uint32_t address = 0;
    int calls = 0;
    std::optional<int> expected;
    bool Holds() const { return !expected || *expected == calls; }
};

struct Options {
    Model model = Model::kModel3;
    StackMode stackMode = StackMode::kMaximum;
    uint64_t cycleLimit = 10'000'000;
    int exceptionCycles = 5;    // cost of interrupt / exception entry
    size_t traceDepth = 32;     // how many of the last instructions the report keeps
    size_t warningLimit = 100;  // warnings kept; later ones are counted only
    // The stack region SP must stay in: stackLow <= SP <= stackHigh (page 0).
    // With stackHigh 0 the top is a call's initial SP (FFFF for Run and Step).
    uint16_t stackLow = 0;
    uint16_t stackHigh = 0;
};

enum class StopReason {
    kReturned,       // the routine returned to the sentinel (where: the returning instruction)
    kBreakpoint,     // a breakpoint's address was about to execute
    kUndefinedCode,  // an operation code no instruction has (or not on this model)
    kZeroDivision,   // DIV by 0 and no handler at vector 0002
    kCycleLimit,     // the cycle limit was reached
    kHalted,         // HALT or SLP with every interrupt masked, or no request to wake it
    kStackOverflow,  // SP left the stack region
};
std::string_view StopReasonText(StopReason reason);  // "returned", "breakpoint", ...

// Where something happened: the address, the nearest label at or below it
// in the same section, and the source line when the program has lines.
struct Location {
    uint32_t address = 0;
    std::string label;  // empty when none
    uint32_t offset = 0;
    std::string file;
    int line = 0;
    // "0x010034 (Clock_Tick+0x4, clock.asm:12)" or "0x010034".
    std::string Text() const;
};

struct Warning {
    enum class Kind { kUninitialisedRead, kCodeWrite };
    Kind kind;
    uint32_t address = 0;         // the data address read or written
    Location instruction;         // where the instruction is
    std::string instructionText;  // in dis88's notation
    std::string Text() const;     // one line, e.g. "read of unset memory 0x001234 at ..."
};

struct MemoryWrite {
    uint32_t address = 0;
    uint8_t value = 0;
};

// One executed instruction as the trace keeps it.
struct TraceEntry {
    uint32_t address = 0;  // physical address of its first byte
    uint8_t length = 0;
    uint8_t bytes[4] = {};
    Registers before;        // the registers before it ran
    Registers after;         // the registers once it completed
    uint64_t cycles = 0;     // cycles counted after it
    uint8_t writeCount = 0;  // the bytes it wrote (PUSH ALE writes 12)
    MemoryWrite writes[12];
};

struct StopReport {
    StopReason reason = StopReason::kReturned;
    Location where;           // the instruction that stopped, or would have run next
    std::string detail;       // e.g. the undefined bytes, the SP value
    uint64_t cycles = 0;      // executed, including exception entries
    uint64_t idleCycles = 0;  // spent in HALT/SLP waiting
    uint64_t instructions = 0;
    uint16_t deepestStack = 0;    // lowest SP seen
    uint32_t stackBytesUsed = 0;  // initial SP minus lowest SP
    Registers registers;
    std::vector<StubCall> stubCalls;
    std::vector<StubCount> stubCounts;         // every stub the run set up or reached
    std::vector<TraceEntry> lastInstructions;  // oldest first
    std::vector<Warning> warnings;
    size_t warningsDropped = 0;

    bool Returned() const { return reason == StopReason::kReturned; }
};

// A line per instruction in dis88's notation, as --trace shows them, with
// the registers and memory it changed:
// "010034  CE 40 05     LD A,[IX+0x05]      A=12 SC=00".
std::string FormatTraceEntry(const TraceEntry& entry);
// The whole report for people: reason, place, cycles, registers, flags,
// deepest stack, stub calls, warnings, the last instructions.
std::string FormatStopReport(const StopReport& report);

class Machine;  // the processor and its memory (simulator/machine.h)

class Simulator {
  public:
    explicit Simulator(Options options = {});
    ~Simulator();
    Simulator(Simulator&&) noexcept;
    Simulator& operator=(Simulator&&) noexcept;

    // Places the program's bytes and marks its sections as program memory
    // (executable; writes into them warn). Labels name stubs and places.
    void Load(const Program& program);
    void AddLabels(std::span<const Label> labels);  // e.g. SDK equates

    // A label's address (case as written), or nullopt.
    std::optional<uint32_t> Find(std::string_view label) const;
    // An address or label: "0x10034", "10034h", "Clock_Tick".
    std::optional<uint32_t> Resolve(std::string_view addressOrLabel) const;
    Location Locate(uint32_t address) const;

    Registers& registers();
    const Registers& registers() const;
    void SetMemory(uint32_t address, std::span<const uint8_t> bytes);  // counts as set by the run
    uint8_t ReadMemory(uint32_t address) const;                        // no warning

    void AddStub(Stub stub);
    void AddBreakpoint(uint32_t address);
    void ClearBreakpoints();

    // A maskable interrupt request (priority 1-3) whose vector is the word at
    // 00:vector, raised once cycles() reaches atCycle; it stays pending until
    // accepted. Priority 0 means NMI-class (not maskable).
    void RequestInterrupt(uint8_t vector, int priority, uint64_t atCycle = 0);

    // Runs the routine at address (physical; in the bank area it also sets
    // CB and NB): pushes the sentinel return address (and CB in max mode) and
    // runs until a stop. SP is taken from registers() (set it first), and
    // the stack region from the options.
    StopReport Call(uint32_t address);
    // Runs from the current registers without pushing anything.
    StopReport Run();
    // Runs one instruction (or accepts one interrupt, or one stub call):
    // nullopt when nothing stopped. The stack region's top is FFFF unless
    // the options give one.
    std::optional<StopReport> Step();

    uint64_t cycles() const;
    const Options& options() const;

    // Each instruction as it completes (for --trace); nullptr: none.
    using TraceHook = void (*)(const TraceEntry& entry, const Simulator& simulator, void* context);
    void SetTraceHook(TraceHook hook, void* context);

  private:
    std::unique_ptr<Machine> machine_;
};

// The logical address a call's sentinel return goes to; a return reaching it
// with the pushed CB ends the run as kReturned.
inline constexpr uint16_t kSentinelReturn = 0xFFFE;

}  // namespace cuffware::simulator
