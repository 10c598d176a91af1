#pragma once

#include "core/catalogue/byte_block.h"
#include "core/catalogue/read_progress.h"
#include "core/catalogue/text_decoder.h"

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace catalogue {

// What a declared field holds, as far as the program cares.
enum class FieldKind { Text, Number, Other };

struct PacketField {
    std::string name;
    std::string type; // fieldtype as declared, e.g. "string", "r8", "i4"
    FieldKind kind = FieldKind::Other;
    int width = 0; // bytes, for text fields
};

// Where the values of a row handed over uncopied live. A sink that keeps a
// long value may take over the block that holds it instead of copying it.
class ValueOwner {
public:
    virtual ~ValueOwner() = default;
    // The block that holds `value`, a value of the row being handed over,
    // now the caller's: the value's bytes stay where they are. Empty when
    // the block was taken already (by an earlier value of the same row).
    virtual ByteBlock take(std::string_view value) = 0;
};

// One row as the reader hands it over: per declared field the raw value
// (XML escapes resolved, text still in the file's encoding), or absent.
struct RawRow {
    std::vector<std::string_view> values;
    std::vector<char> present;
    int number = 0; // 1 for the first ROW, for messages
    // Set while a row with a long value is handed over without a copy.
    ValueOwner* owner = nullptr;
};

// Values from this size on are handed over without a copy.
constexpr std::size_t kLongValue = std::size_t(1) << 20;

// Receives a packet one row at a time, so that the engine behind it can
// change without touching the tables.
class PacketSink {
public:
    virtual ~PacketSink() = default;
    virtual void begin(const std::vector<PacketField>& fields, TextEncoding encoding) = 0;
    virtual void row(const RawRow& row) = 0;
};

// The file is not there (or not a file that can be opened).
class PacketMissing : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The name is there but is no regular file (a FIFO, a device, a directory,
// a socket): for the table as good as missing, told apart for the tool.
class PacketNotRegular : public PacketMissing {
public:
    using PacketMissing::PacketMissing;
};

// The file is there but is not a valid data packet.
class PacketInvalid : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

FieldKind field_kind(std::string_view fieldtype);

// Reads data packets as a stream: the rows go to the sink while the file is
// read, no document is built, and memory stays near the size of one chunk of
// the file. Its buffers are kept from one file to the next.
class PacketReader {
public:
    // Bytes that a sink may read past the end of any value this reader hands
    // over (their contents are unspecified), so that it can load short
    // values a word at a time.
    static constexpr std::size_t kValuePadding = 16;

    // Reads the packet at `path` and feeds it to `sink`. Throws PacketMissing
    // (PacketNotRegular for a name that is no regular file) or PacketInvalid; exceptions from the
    // sink pass through. A file that is not well-formed fails as such even where the sink failed
    // earlier on.
    // `progress`, when given, follows the reading and may stop it: the read
    // then throws ReadCancelled.
    void read(const std::string& path, PacketSink& sink, ReadProgress* progress = nullptr);

    // The size of one read from the file. Tests set it small, so that chunk
    // boundaries fall everywhere in a packet.
    void setChunkSize(std::size_t bytes) { chunk_ = bytes; }

private:
    std::size_t chunk_ = std::size_t(1) << 20;
    ByteBlock buffer_;
    ByteBlock scratch_;
    std::vector<PacketField> fields_;
    RawRow row_;
};

// The same with buffers of its own.
void read_packet(const std::string& path, PacketSink& sink);

} // namespace catalogue
