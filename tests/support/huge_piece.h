// Huge test files written without holding them in the test's own memory, so
// that a child's peak can be set against the piece's size.
#pragma once

#include <algorithm>
#include <fstream>
#include <string>

namespace testsupport {

// Writes `head`, `count` copies of `unit`, then `tail`, a block of about
// 1 MiB at a time.
inline void write_piece(const std::string& path, const std::string& head, const std::string& unit,
                        long count, const std::string& tail) {
    std::ofstream out(path, std::ios::binary);
    out << head;
    std::string block;
    while (block.size() < (1u << 20) && static_cast<long>(block.size() / unit.size()) < count)
        block += unit;
    const long per_block = static_cast<long>(block.size() / unit.size());
    for (long written = 0; written < count; written += per_block) {
        const long n = std::min(per_block, count - written);
        out.write(block.data(), static_cast<std::streamsize>(n * unit.size()));
    }
    out << tail;
}

} // namespace testsupport
