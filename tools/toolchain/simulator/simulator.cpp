#include "toolchain/simulator/simulator.h"

#include <array>
#include <cstdlib>

#include "platform/text_rules.h"
#include "toolchain/assembler/expression.h"
#include "toolchain/simulator/machine.h"

namespace cuffware::simulator {

namespace {

constexpr std::array<std::string_view, 18> kRegisterNames = {
    "A",  "B",  "L",  "H",  "BA", "HL", "IX", "IY", "SP",
    "PC", "BR", "EP", "XP", "YP", "NB", "CB", "SC", "CC",
};

}  // namespace

std::optional<Register> RegisterNamed(std::string_view name) {
    const std::string upper = ToUpperAscii(name);
    for (size_t i = 0; i < kRegisterNames.size(); ++i) {
        if (kRegisterNames[i] == upper)
            return static_cast<Register>(i);
    }
    return std::nullopt;
}

std::string_view RegisterName(Register reg) {
    return kRegisterNames[static_cast<size_t>(reg)];
}

uint16_t Get(const Registers& r, Register reg) {
    switch (reg) {
        case Register::kA:
            return r.a;
        case Register::kB:
            return r.b;
        case Register::kL:
            return r.l;
        case Register::kH:
            return r.h;
        case Register::kBA:
            return r.ba();
        case Register::kHL:
            return r.hl();
        case Register::kIX:
            return r.ix;
        case Register::kIY:
            return r.iy;
        case Register::kSP:
            return r.sp;
        case Register::kPC:
            return r.pc;
        case Register::kBR:
            return r.br;
        case Register::kEP:
            return r.ep;
        case Register::kXP:
            return r.xp;
        case Register::kYP:
            return r.yp;
        case Register::kNB:
            return r.nb;
        case Register::kCB:
            return r.cb;
        case Register::kSC:
            return r.sc;
        case Register::kCC:
            return r.cc;
    }
    return 0;
}

void Set(Registers& r, Register reg, uint16_t value) {
    const uint8_t low = static_cast<uint8_t>(value), high = static_cast<uint8_t>(value >> 8);
    switch (reg) {
        case Register::kA:
            r.a = low;
            break;
        case Register::kB:
            r.b = low;
            break;
        case Register::kL:
            r.l = low;
            break;
        case Register::kH:
            r.h = low;
            break;
        case Register::kBA:
            r.a = low;
            r.b = high;
            break;
        case Register::kHL:
            r.l = low;
            r.h = high;
            break;
        case Register::kIX:
            r.ix = value;
            break;
        case Register::kIY:
            r.iy = value;
            break;
        case Register::kSP:
            r.sp = value;
            break;
        case Register::kPC:
            r.pc = value;
            break;
        case Register::kBR:
            r.br = low;
            break;
        case Register::kEP:
            r.ep = low;
            break;
        case Register::kXP:
            r.xp = low;
            break;
        case Register::kYP:
            r.yp = low;
            break;
        case Register::kNB:
            r.nb = low;
            break;
        case Register::kCB:
            r.cb = low;
            break;
        case Register::kSC:
            r.sc = low;
            break;
        case Register::kCC:
            r.cc = low & 0x0F;
            break;
    }
}

std::string_view StopReasonText(StopReason reason) {
    switch (reason) {
        case StopReason::kReturned:
            return "returned";
        case StopReason::kBreakpoint:
            return "breakpoint";
        case StopReason::kUndefinedCode:
            return "undefined code";
        case StopReason::kZeroDivision:
            return "zero division";
        case StopReason::kCycleLimit:
            return "cycle limit";
        case StopReason::kHalted:
            return "halted";
        case StopReason::kStackOverflow:
            return "stack out of its region";
    }
    return "";
}

Simulator::Simulator(Options options) : machine_(std::make_unique<Machine>(options)) {
    machine_->owner_ = this;
}
Simulator::~Simulator() = default;
Simulator::Simulator(Simulator&& other) noexcept : machine_(std::move(other.machine_)) {
    machine_->owner_ = this;
}
Simulator& Simulator::operator=(Simulator&& other) noexcept {
    machine_ = std::move(other.machine_);
    machine_->owner_ = this;
    return *this;
}

void Simulator::Load(const Program& program) {
    machine_->Load(program);
}
void Simulator::AddLabels(std::span<const Label> labels) {
    machine_->AddLabels(labels);
}
std::optional<uint32_t> Simulator::Find(std::string_view label) const {
    return machine_->Find(label);
}

std::optional<uint32_t> Simulator::Resolve(std::string_view addressOrLabel) const {
    if (std::optional<uint32_t> label = Find(addressOrLabel))
        return label;
    Result<long long> number = toolchain::NumberValue(addressOrLabel);
    if (!number || *number < 0 || *number > 0xFFFFFF)
        return std::nullopt;
    return static_cast<uint32_t>(*number);
}

Location Simulator::Locate(uint32_t address) const {
    return machine_->Locate(address);
}
Registers& Simulator::registers() {
    return machine_->registers_;
}
const Registers& Simulator::registers() const {
    return machine_->registers_;
}
void Simulator::SetMemory(uint32_t address, std::span<const uint8_t> bytes) {
    machine_->SetMemory(address, bytes);
}
uint8_t Simulator::ReadMemory(uint32_t address) const {
    return machine_->memory_.Byte(address & 0xFFFFFF);
}
void Simulator::AddStub(Stub stub) {
    machine_->AddStub(std::move(stub));
}
void Simulator::AddBreakpoint(uint32_t address) {
    machine_->SetBreakpoint(address, true);
}
void Simulator::ClearBreakpoints() {
    machine_->ClearBreakpoints();
}
void Simulator::RequestInterrupt(uint8_t vector, int priority, uint64_t atCycle) {
    machine_->RequestInterrupt(vector, priority, atCycle);
}
StopReport Simulator::Call(uint32_t address) {
    return machine_->Call(address);
}
StopReport Simulator::Run() {
    return machine_->Run();
}
std::optional<StopReport> Simulator::Step() {
    return machine_->Step();
}
uint64_t Simulator::cycles() const {
    return machine_->cycles_;
}
const Options& Simulator::options() const {
    return machine_->options_;
}
void Simulator::SetTraceHook(TraceHook hook, void* context) {
    machine_->traceHook_ = hook;
    machine_->traceContext_ = context;
}

}  // namespace cuffware::simulator
