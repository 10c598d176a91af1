#pragma once

#include "core/catalogue/byte_block.h"
#include "core/catalogue/packet_reader.h"

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace catalogue {

// A place where the text stops being well-formed XML: what went wrong, worded
// as the reference parser words its failures, and the byte offset in the file.
class XmlSyntaxError : public std::runtime_error {
public:
    XmlSyntaxError(const char* description, std::uint64_t offset)
        : std::runtime_error(description), offset_(offset) {}
    std::uint64_t offset() const { return offset_; }

private:
    std::uint64_t offset_;
};

// The first eight bytes of a name as one number, zero-filled.
inline std::uint64_t name_prefix(std::string_view name) {
    std::uint64_t bytes = 0;
    std::memcpy(&bytes, name.data(), name.size() < 8 ? name.size() : 8);
    return bytes;
}

// Pull tokenizer for the XML that data packets are written in: an optional
// byte-order mark and declaration, comments, processing instructions,
// elements with attributes in either quote style, character data, CDATA
// sections, and the predefined and numeric character references. A document
// type declaration is refused, so no entity is ever defined or expanded.
// Anything else that is not well-formed throws XmlSyntaxError.
//
// The file is read in chunks into a buffer the caller owns and may reuse, so
// memory stays near the chunk size whatever the file's size: blanks,
// comments, CDATA sections and processing instructions are read through,
// not held. A tag longer than a chunk is held once, in a buffer grown in
// place. Names and values stay valid until the next call of next(). Bytes
// from 0x80 up pass through untouched: the document's encoding is the
// reader's business.
class XmlScanner : public ValueOwner {
public:
    enum class Token { StartTag, EndTag, EndOfDocument };

    struct Attribute {
        std::string_view name;
        std::string_view value; // references resolved, white space normalised
        // name_prefix() of the name: names of up to eight bytes are equal
        // exactly when their sizes and prefixes are.
        std::uint64_t prefix;
    };

    static constexpr std::size_t kDefaultChunk = std::size_t(1) << 20;
    // Bytes that may be read past the end of any name or value handed out,
    // so that their users may load them a word at a time.
    static constexpr std::size_t kPadding = 16;

    // `buffer` and `scratch` keep their capacity from one file to the next.
    // `chunk` is the size of one read; a construct longer than that grows the
    // buffer as far as it needs.
    XmlScanner(std::FILE* file, ByteBlock& buffer, ByteBlock& scratch,
               std::size_t chunk = kDefaultChunk);

    // Bytes read so far go to `read` at every chunk; a true `stop` ends the
    // scan with ReadCancelled at the next chunk.
    void follow(std::atomic<std::uint64_t>* read, const std::atomic<bool>* stop) {
        read_ = read;
        stop_ = stop;
    }

    // Which attributes are read: (depth of the element, element, attribute).
    // The values of the others may be passed over unseen; all are kept
    // when none is set.
    using Keep = std::function<bool(int, std::string_view, std::string_view)>;
    void keepOnly(Keep keep) { keep_ = std::move(keep); }

    Token next();
    // The buffer that holds a value of the last StartTag, for a sink that
    // keeps it; the scanner goes on with a buffer of its own.
    ByteBlock take(std::string_view value) override;
    // Name of the element of the last StartTag or EndTag.
    std::string_view name() const { return name_; }
    const std::vector<Attribute>& attributes() const { return attributes_; }
    // Elements open after the last token: 1 inside the root element.
    int depth() const { return static_cast<int>(open_.size()); }

    bool byteOrderMark() const { return bom_; }
    // The encoding named by the declaration; empty when none is named.
    const std::string& declaredEncoding() const { return encoding_; }

private:
    struct NeedMore {};

    void refill();
    Token scan();
    const char* prolog(const char* p);
    const char* declaration(const char* p);
    const char* startTag(const char* p, const char* lt);
    const char* endTag(const char* p, const char* lt);
    const char* comment(const char* p);
    const char* processingInstruction(const char* p);
    const char* instructionBody(const char* p);
    const char* cdata(const char* p);
    const char* text(const char* p);
    // Whether this tag already has an attribute of that name.
    bool repeatedAttribute(std::string_view attribute, std::uint64_t prefix);
    bool repeatedAttributeOfMany(std::string_view attribute);
    const char* attributeValue(const char* p, std::string_view& value, std::string_view element,
                               std::string_view attribute);
    // Checks a value that nobody reads, dropping what is checked of it from
    // the buffer, and asks for more.
    void skipValue(const char* start, const char* p, char quote);
    // Takes the bytes [from, to) out of the buffer, noting where, so that
    // offsets stay those of the file.
    void drop(const char* from, const char* to);
    void foldSplices();
    // The rest of a value from `p` on, which holds references or white space
    // to normalise.
    const char* escapedValue(const char* start, const char* p, char quote, std::string_view& value);
    // Whether the tag ends in the buffer, from inside a value in `quote`.
    bool tagComplete(const char* p, char quote) const;
    // Resolves a value's references and white space up to its quote.
    const char* resolve(const char* p, char quote, char*& out);
    void growScratch(std::size_t bytes);
    const char* reference(const char* p, char*& out, const char* error);
    const char* name(const char* p, const char* error);
    const char* spaces(const char* p);
    // Called where the sentinel stops a scan: more data, or the end of the file.
    [[noreturn]] void stopped(const char* p, const char* error);
    [[noreturn]] void fail(const char* p, const char* description) const;
    std::uint64_t offsetOf(const char* p) const;

    std::FILE* file_;
    ByteBlock& buffer_;
    ByteBlock& scratch_;
    std::size_t chunk_;
    Keep keep_;
    struct Splice {
        std::size_t at;      // buffer index where bytes were taken out
        std::uint64_t bytes; // how many
    };
    std::vector<Splice> splices_;
    std::atomic<std::uint64_t>* read_ = nullptr;
    const std::atomic<bool>* stop_ = nullptr;
    std::size_t begin_ = 0, end_ = 0; // unread bytes of buffer_
    std::uint64_t base_ = 0;          // file offset of buffer_[0]
    bool eof_ = false;
    bool started_ = false, seen_root_ = false, pending_end_ = false;
    bool bom_ = false;
    // A comment, CDATA section or processing instruction goes on past the
    // buffer's end; scanning resumes inside it.
    enum class Inside { Nothing, Comment, Cdata, Instruction };
    Inside inside_ = Inside::Nothing;
    // As stopped, inside a comment, CDATA section or instruction begun at start.
    [[noreturn]] void stoppedInside(Inside construct, const char* start, const char* stop,
                                    const char* error);
    std::string encoding_;

    std::string_view name_;
    std::vector<Attribute> attributes_;
    std::string open_names_;        // names of the open elements, back to back
    std::vector<std::size_t> open_; // where each open name ends in open_names_
    std::size_t scratch_used_ = 0;
    std::uint64_t seen_names_ = 0;          // a quick filter over the tag's names
    std::vector<std::uint32_t> name_slots_; // attribute index + 1, 0 = free
};

} // namespace catalogue
