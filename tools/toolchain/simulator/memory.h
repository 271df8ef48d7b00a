#pragma once
// The 24-bit memory: 256 pages of 64 KB, each made when first written, with
// a mark per byte: set (by the program, the run or a write), the program's
// own (executable; a write into it warns), a breakpoint, and whether a
// warning about the byte was given already.

#include <array>
#include <cstdint>
#include <memory>

namespace cuffware::simulator {

inline constexpr uint8_t kMarkSet = 0x01;
inline constexpr uint8_t kMarkProgram = 0x02;
inline constexpr uint8_t kMarkBreakpoint = 0x04;
inline constexpr uint8_t kMarkWarned = 0x08;

class Memory {
  public:
    static constexpr uint32_t kSize = 1u << 24;

    uint8_t Byte(uint32_t address) const {
        const Page* page = pages_[address >> 16 & 0xFF].get();
        return page ? page->bytes[address & 0xFFFF] : 0;
    }
    uint8_t Marks(uint32_t address) const {
        const Page* page = pages_[address >> 16 & 0xFF].get();
        return page ? page->marks[address & 0xFFFF] : 0;
    }
    // Writes the byte and marks it set; gives the marks it had.
    uint8_t Store(uint32_t address, uint8_t value) {
        Page& page = PageOf(address);
        const uint32_t offset = address & 0xFFFF;
        const uint8_t marks = page.marks[offset];
        page.bytes[offset] = value;
        page.marks[offset] = static_cast<uint8_t>(marks | kMarkSet);
        return marks;
    }
    void Mark(uint32_t address, uint8_t marks) { PageOf(address).marks[address & 0xFFFF] |= marks; }
    void Unmark(uint32_t address, uint8_t marks) {
        if (Page* page = pages_[address >> 16 & 0xFF].get())
            page->marks[address & 0xFFFF] &= static_cast<uint8_t>(~marks);
    }

  private:
    struct Page {
        uint8_t bytes[1 << 16] = {};
        uint8_t marks[1 << 16] = {};
    };
    Page& PageOf(uint32_t address) {
        std::unique_ptr<Page>& page = pages_[address >> 16 & 0xFF];
        if (!page)
            page = std::make_unique<Page>();
        return *page;
    }
    std::array<std::unique_ptr<Page>, 256> pages_;
};

}  // namespace cuffware::simulator
