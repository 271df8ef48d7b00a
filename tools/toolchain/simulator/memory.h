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
        return page ? page->cells[address & 0xFFFF].byte : 0;
    }
    uint8_t Marks(uint32_t address) const {
        const Page* page = pages_[address >> 16 & 0xFF].get();
        return page ? page->cells[address & 0xFFFF].marks : 0;
    }
    // The byte, and its marks in marks.
    uint8_t Load(uint32_t address, uint8_t& marks) const {
        const Page* page = pages_[address >> 16 & 0xFF].get();
        if (!page) {
            marks = 0;
            return 0;
        }
        const Cell& cell = page->cells[address & 0xFFFF];
        marks = cell.marks;
        return cell.byte;
    }
    // Writes the byte and marks it set; gives the marks it had.
    uint8_t Store(uint32_t address, uint8_t value) {
        Cell& cell = PageOf(address).cells[address & 0xFFFF];
        const uint8_t marks = cell.marks;
        cell.byte = value;
        cell.marks = static_cast<uint8_t>(marks | kMarkSet);
        return marks;
    }
    void Mark(uint32_t address, uint8_t marks) {
        PageOf(address).cells[address & 0xFFFF].marks |= marks;
    }
    void Unmark(uint32_t address, uint8_t marks) {
        if (Page* page = pages_[address >> 16 & 0xFF].get())
            page->cells[address & 0xFFFF].marks &= static_cast<uint8_t>(~marks);
    }

  private:
    // A byte and its marks side by side: one cache line for both.
    struct Cell {
        uint8_t byte = 0;
        uint8_t marks = 0;
    };
    struct Page {
        Cell cells[1 << 16];
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
