#include "core/catalogue/xml_scanner.h"

#include "core/catalogue/padded_words.h"
#include "core/catalogue/xml_scanner_chars.h"

#include <algorithm>
#include <array>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace catalogue {
using namespace xml_chars;

XmlScanner::XmlScanner(std::FILE* file, ByteBlock& buffer, ByteBlock& scratch, std::size_t chunk)
    : file_(file), buffer_(buffer), scratch_(scratch), chunk_(std::max<std::size_t>(chunk, 1)) {
    // Room for the sentinel and the scans' look-ahead; a buffer grown by the
    // last file comes back to the chunk size, so reads stay the same size
    // from file to file.
    buffer_.resize(chunk_ + kSlack);
    if (scratch_.size() < buffer_.size())
        scratch_.resize(buffer_.size());
    buffer_.data()[0] = '\0';
    attributes_.reserve(32);
}

void XmlScanner::fail(const char* p, const char* description) const {
    throw XmlSyntaxError(description, offsetOf(p));
}

void XmlScanner::stopped(const char* p, const char* error) {
    if (p == buffer_.data() + end_ && !eof_)
        throw NeedMore{};
    fail(p, error); // the file ends inside the construct, or holds a NUL byte
}

void XmlScanner::refill() {
    if (stop_ && stop_->load(std::memory_order_relaxed))
        throw ReadCancelled();
    char* data = buffer_.data();
    if (begin_ > 0) {
        std::memmove(data, data + begin_, end_ - begin_);
        foldSplices();
        base_ += begin_;
        end_ -= begin_;
        begin_ = 0;
    }
    if (end_ == buffer_.size() - kSlack) {
        // One construct larger than the buffer: make room for it.
        buffer_.resize(2 * (buffer_.size() - kSlack) + kSlack);
        data = buffer_.data();
    }
    const std::size_t n = std::fread(data + end_, 1, buffer_.size() - kSlack - end_, file_);
    end_ += n;
    eof_ = n == 0;
    data[end_] = '\0';
    if (read_)
        read_->store(base_ + end_, std::memory_order_relaxed);
}

ByteBlock XmlScanner::take(std::string_view value) {
    ByteBlock* const holder = buffer_.contains(value.data())    ? &buffer_
                              : scratch_.contains(value.data()) ? &scratch_
                                                                : nullptr;
    if (!holder)
        return {};
    ByteBlock taken = std::move(*holder);
    if (holder == &scratch_) {
        scratch_.resize(buffer_.size());
        return taken;
    }
    // The bytes not yet scanned go on in a buffer of their own.
    foldSplices();
    const std::size_t rest = end_ - begin_;
    buffer_.resize(std::max(rest, chunk_) + kSlack);
    std::memcpy(buffer_.data(), taken.data() + begin_, rest);
    base_ += begin_;
    begin_ = 0;
    end_ = rest;
    buffer_.data()[end_] = '\0';
    name_ = {};
    return taken;
}

XmlScanner::Token XmlScanner::next() {
    if (pending_end_) {
        // The end of an empty-element tag.
        pending_end_ = false;
        open_names_.resize(open_.size() > 1 ? open_[open_.size() - 2] : 0);
        open_.pop_back();
        return Token::EndTag;
    }
    for (;;) {
        try {
            return scan();
        } catch (const NeedMore&) {
            refill();
        }
    }
}

XmlScanner::Token XmlScanner::scan() {
    const char* const data = buffer_.data();
    const char* p = data + begin_;
    if (!started_) {
        p = prolog(p);
        started_ = true;
        begin_ = static_cast<std::size_t>(p - data);
    }
    if (inside_ != Inside::Nothing) {
        p = inside_ == Inside::Comment ? comment(p)
            : inside_ == Inside::Cdata ? cdata(p)
                                       : instructionBody(p);
        inside_ = Inside::Nothing;
        begin_ = static_cast<std::size_t>(p - data);
    }
    for (;;) {
        scratch_used_ = 0;
        attributes_.clear();
        const char c = *p;
        if (c == '<') {
            const char* const lt = p;
            const char c1 = p[1];
            if (c1 == '/') {
                p = endTag(p + 2, lt);
                begin_ = static_cast<std::size_t>(p - data);
                return Token::EndTag;
            }
            if (c1 == '?') {
                p = processingInstruction(p + 2);
            } else if (c1 == '!') {
                if (starts_with(p + 2, "--")) {
                    p = comment(p + 4);
                } else if (starts_with(p + 2, "[CDATA[")) {
                    if (open_.empty())
                        fail(lt, kBadTag);
                    p = cdata(p + 9);
                } else if (starts_with(p + 2, "DOCTYPE")) {
                    fail(lt, kDoctype);
                } else {
                    // Perhaps a prefix of one of the above, cut by the buffer's end.
                    const char* q = p + 2;
                    while (*q && q < p + 9)
                        ++q;
                    if (!*q)
                        stopped(q, kBadTag);
                    fail(lt, kBadTag);
                }
            } else {
                if (c1 == '\0')
                    stopped(p + 1, kBadTag);
                p = startTag(p + 1, lt);
                begin_ = static_cast<std::size_t>(p - data);
                return Token::StartTag;
            }
            begin_ = static_cast<std::size_t>(p - data);
            continue;
        }
        if (c == '\0') {
            if (p != data + end_ || !eof_)
                stopped(p, kBadPcdata);
            if (!open_.empty())
                fail(p, kMismatch);
            if (!seen_root_)
                fail(p, kNoRoot);
            return Token::EndOfDocument;
        }
        p = text(p);
        begin_ = static_cast<std::size_t>(p - data);
    }
}

const char* XmlScanner::prolog(const char* p) {
    // Room for a byte-order mark and "<?xml" with the character after it.
    if (end_ < 9 && !eof_)
        throw NeedMore{};
    if (starts_with(p, "\xEF\xBB\xBF")) {
        bom_ = true;
        p += 3;
    }
    if (starts_with(p, "<?xml") && (is_space(p[5]) || p[5] == '?'))
        p = declaration(p + 5);
    return p;
}

// <?xml version="1.x" encoding="..." standalone="yes|no"?>, in order; version required.
const char* XmlScanner::declaration(const char* p) {
    auto pseudo_attribute = [&](const char* name, std::string_view& value) {
        const char* q = spaces(p);
        if (q == p || !starts_with(q, name))
            return false;
        q = spaces(q + std::strlen(name));
        if (*q != '=')
            return false;
        q = spaces(q + 1);
        const char quote = *q;
        if (quote != '"' && quote != '\'')
            return false;
        const char* const start = ++q;
        while (*q && *q != quote && !forbidden_control(*q))
            ++q;
        if (*q != quote)
            return false;
        value = std::string_view(start, static_cast<std::size_t>(q - start));
        p = q + 1;
        return true;
    };
    auto version_ok = [](std::string_view v) {
        if (v.size() < 3 || v[0] != '1' || v[1] != '.')
            return false;
        for (std::size_t i = 2; i < v.size(); ++i) {
            if (v[i] < '0' || v[i] > '9')
                return false;
        }
        return true;
    };
    auto encoding_ok = [](std::string_view v) {
        if (v.empty() || !((v[0] >= 'A' && v[0] <= 'Z') || (v[0] >= 'a' && v[0] <= 'z')))
            return false;
        for (const char c : v) {
            if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                  c == '.' || c == '_' || c == '-'))
                return false;
        }
        return true;
    };
    const char* const start = p;
    std::string_view value;
    const bool has_version = pseudo_attribute("version", value) && version_ok(value);
    if (has_version) {
        if (pseudo_attribute("encoding", value)) {
            if (!encoding_ok(value))
                fail(start, kBadPi);
            encoding_.assign(value);
        }
        if (pseudo_attribute("standalone", value) && value != "yes" && value != "no")
            fail(start, kBadPi);
    }
    const char* q = spaces(p);
    if (has_version && q[0] == '?' && q[1] == '>')
        return q + 2;
    // Before failing, make sure the declaration is all there.
    const char* end = start;
    while (*end && !(end[0] == '?' && end[1] == '>'))
        ++end;
    if (!*end)
        stopped(end, kBadPi);
    fail(start, kBadPi);
}

inline const char* XmlScanner::name(const char* p, const char* error) {
    if (!(cls(*p) & kNameStart)) {
        if (!*p)
            stopped(p, error);
        fail(p, error);
    }
    p = name_end(p + 1);
    // A name cut by the end of the buffer may go on in the next chunk; what
    // the caller checks of the name must see all of it.
    if (!*p)
        stopped(p, error);
    return p;
}

const char* XmlScanner::spaces(const char* p) {
    while (is_space(*p))
        ++p;
    return p;
}

const char* XmlScanner::startTag(const char* p, const char* lt) {
    if (open_.empty() && seen_root_)
        fail(lt, kSecondRoot);
    const char* const n0 = p;
    if (!(cls(*p) & kNameStart))
        fail(p, kBadTag);
    p = name(p, kBadTag);
    const std::string_view element(n0, static_cast<std::size_t>(p - n0));
    for (;;) {
        const char* const before = p;
        p = spaces(p);
        const char c = *p;
        if (c == '>' || (c == '/' && p[1] == '>')) {
            p += c == '>' ? 1 : 2;
            pending_end_ = c == '/';
            break;
        }
        if (c == '\0' || (c == '/' && p[1] == '\0'))
            stopped(c == '\0' ? p : p + 1, kBadStart);
        if (c == '/')
            fail(p, kBadStart);
        if (p == before)
            fail(p, kBadAttribute); // attributes are separated by white space
        const char* const a0 = p;
        p = name(p, kBadStart);
        const std::string_view attribute(a0, static_cast<std::size_t>(p - a0));
        // The buffer's slack makes the one read safe however short the name.
        const std::uint64_t prefix = padded_word(attribute.data(), attribute.size());
        p = spaces(p);
        if (*p != '=') {
            if (!*p)
                stopped(p, kBadAttribute);
            fail(p, kBadAttribute);
        }
        p = spaces(p + 1);
        std::string_view value;
        p = attributeValue(p, value, element, attribute);
        if (repeatedAttribute(attribute, prefix))
            fail(a0, kBadAttribute);
        // Member by member: a whole temporary copied in would be written in
        // halves and read back at once, which stalls the store forwarding.
        Attribute& a = attributes_.emplace_back();
        a.name = attribute;
        a.value = value;
        a.prefix = prefix;
    }
    name_ = element;
    seen_root_ = true;
    // An empty-element tag has no end tag to match: its name, however long,
    // is not copied.
    if (!pending_end_)
        open_names_.append(element);
    open_.push_back(open_names_.size());
    return p;
}

inline bool XmlScanner::repeatedAttribute(std::string_view attribute, std::uint64_t prefix) {
    // A few attributes, as a ROW has: a 64-bit filter over the names, and
    // only where it hits a look at the earlier names, by size and prefix
    // first. The same names give the same hits row after row, so the
    // branches stay predictable.
    const std::size_t n = attributes_.size();
    if (n >= kFewAttributes)
        return repeatedAttributeOfMany(attribute);
    if (n == 0)
        seen_names_ = 0;
    // The mix keeps the names of a spring catalogue's rows apart.
    const std::uint64_t mixed =
        (prefix ^ (prefix >> 32)) * 0x9E3779B97F4A7C15ull + attribute.size();
    const std::uint64_t bit = std::uint64_t(1) << (mixed >> 58);
    const bool maybe = (seen_names_ & bit) != 0;
    seen_names_ |= bit;
    if (!maybe)
        return false;
    for (const Attribute& a : attributes_) {
        if (a.prefix == prefix && a.name.size() == attribute.size() &&
            (attribute.size() <= 8 || a.name == attribute))
            return true;
    }
    return false;
}

bool XmlScanner::repeatedAttributeOfMany(std::string_view attribute) {
    // A hash set of the tag's names, so that a row of a hundred thousand
    // attributes costs no more than reading it.
    const std::size_t n = attributes_.size();
    const auto hash = [](std::string_view s) {
        std::uint64_t h = 1469598103934665603ull;
        for (const char c : s)
            h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
        return static_cast<std::size_t>(h ^ (h >> 32));
    };
    const auto insert = [&](std::string_view name, std::size_t index) {
        const std::size_t mask = name_slots_.size() - 1;
        std::size_t i = hash(name) & mask;
        while (name_slots_[i] != 0)
            i = (i + 1) & mask;
        name_slots_[i] = static_cast<std::uint32_t>(index + 1);
    };
    // Built afresh for each tag that gets here, doubled as it fills.
    if (n == kFewAttributes || 2 * (n + 1) > name_slots_.size()) {
        std::size_t size = 64;
        while (size < 4 * (n + 1))
            size *= 2;
        name_slots_.assign(size, 0);
        for (std::size_t k = 0; k < n; ++k)
            insert(attributes_[k].name, k);
    }
    const std::size_t mask = name_slots_.size() - 1;
    for (std::size_t i = hash(attribute) & mask; name_slots_[i] != 0; i = (i + 1) & mask) {
        if (attributes_[name_slots_[i] - 1].name == attribute)
            return true;
    }
    insert(attribute, n); // where the caller appends it
    return false;
}

const char* XmlScanner::endTag(const char* p, const char* lt) {
    const char* const n0 = p;
    p = name(p, kBadEnd);
    const std::string_view element(n0, static_cast<std::size_t>(p - n0));
    p = spaces(p);
    if (*p != '>') {
        if (!*p)
            stopped(p, kBadEnd);
        fail(p, kBadEnd);
    }
    const std::size_t start = open_.size() > 1 ? open_[open_.size() - 2] : 0;
    if (open_.empty() || std::string_view(open_names_).substr(start) != element)
        fail(lt, kMismatch);
    open_names_.resize(start);
    open_.pop_back();
    name_ = element;
    return p + 1;
}

inline const char* XmlScanner::attributeValue(const char* p, std::string_view& value,
                                              std::string_view element,
                                              std::string_view attribute) {
    const char quote = *p;
    if (quote != '"' && quote != '\'') {
        if (!quote)
            stopped(p, kBadAttribute);
        fail(p, kBadAttribute);
    }
    const char* const start = ++p;
    p = value_end(p, quote);
    if (*p == quote) {
        value = std::string_view(start, static_cast<std::size_t>(p - start));
        return p + 1;
    }
    // A value that goes on past the buffer's end and that nobody reads is
    // passed over, not held.
    const char* const end = buffer_.data() + end_;
    if (keep_ && !eof_ && !std::memchr(p, quote, static_cast<std::size_t>(end - p)) &&
        !keep_(depth() + 1, element, attribute))
        skipValue(start, p, quote);
    return escapedValue(start, p, quote, value);
}

void XmlScanner::growScratch(std::size_t bytes) {
    // Values of this tag built here earlier move with it.
    const char* const old = scratch_.data();
    scratch_.resize(std::max(bytes, 2 * scratch_.size()));
    for (Attribute& a : attributes_) {
        if (a.value.data() >= old && a.value.data() < old + scratch_used_)
            a.value = std::string_view(scratch_.data() + (a.value.data() - old), a.value.size());
    }
}

const char* XmlScanner::escapedValue(const char* start, const char* p, char quote,
                                     std::string_view& value) {
    const std::size_t rest = static_cast<std::size_t>(buffer_.data() + end_ - start);
    if (rest > 2 * chunk_) {
        // A tag longer than the chunk: its values are resolved where they
        // stand, which a value never longer than its text allows, so that a
        // long value is held once. The tag must be all there first, or a
        // second scan of it would resolve its values twice.
        // At the file's end there is no second scan: what is wrong with the
        // tag shows where it stands.
        if (!eof_ && !tagComplete(p, quote))
            stopped(buffer_.data() + end_, kBadAttribute);
        char* out = const_cast<char*>(p);
        p = resolve(p, quote, out);
        value = std::string_view(start, static_cast<std::size_t>(out - start));
        return p + 1;
    }
    // Built in the scratch buffer. A value is never longer than its text, so
    // room for the rest of the read buffer is enough.
    if (scratch_.size() < scratch_used_ + rest + kSlack)
        growScratch(scratch_used_ + rest + kSlack);
    char* const out0 = scratch_.data() + scratch_used_;
    std::memcpy(out0, start, static_cast<std::size_t>(p - start));
    char* out = out0 + (p - start);
    p = resolve(p, quote, out);
    value = std::string_view(out0, static_cast<std::size_t>(out - out0));
    scratch_used_ += value.size();
    return p + 1;
}

bool XmlScanner::tagComplete(const char* p, char quote) const {
    // Quotes and '>' only: whatever else is wrong shows when it is scanned,
    // a NUL byte of the file included.
    const char* const end = buffer_.data() + end_;
    for (;;) {
        while (*p && *p != quote)
            ++p;
        if (!*p)
            return p != end;
        ++p;
        while (*p && *p != '>' && *p != '"' && *p != '\'')
            ++p;
        if (!*p)
            return p != end;
        if (*p == '>')
            return true;
        quote = *p++;
    }
}

const char* XmlScanner::resolve(const char* p, char quote, char*& out) {
    for (;;) {
        const char c = *p;
        if (c == quote)
            return p;
        if (c == '&') {
            p = reference(p, out, kBadAttribute);
            continue;
        }
        if (c == '\t' || c == '\n') {
            *out++ = ' ';
        } else if (c == '\r') {
            *out++ = ' ';
            if (p[1] == '\n')
                ++p; // a line end counts once
        } else if (c == '\0') {
            stopped(p, kBadAttribute);
        } else if (c == '<' || forbidden_control(c)) {
            fail(p, kBadAttribute);
        } else {
            *out++ = c;
        }
        ++p;
    }
}

// `p` is at '&'. Writes the character to `out` when `out` is not null.
const char* XmlScanner::reference(const char* p, char*& out, const char* error) {
    const char* const amp = p;
    if (p[1] == '#') {
        p += 2;
        const bool hex = *p == 'x';
        if (hex)
            ++p;
        unsigned long c = 0;
        const char* const digits = p;
        for (;; ++p) {
            const char d = *p;
            unsigned v;
            if (d >= '0' && d <= '9')
                v = static_cast<unsigned>(d - '0');
            else if (hex && d >= 'a' && d <= 'f')
                v = static_cast<unsigned>(d - 'a' + 10);
            else if (hex && d >= 'A' && d <= 'F')
                v = static_cast<unsigned>(d - 'A' + 10);
            else
                break;
            c = c * (hex ? 16 : 10) + v;
            if (c > 0x10FFFF)
                c = 0x110000; // stays out of range however many digits follow
        }
        if (*p != ';') {
            if (!*p)
                stopped(p, error);
            fail(amp, error);
        }
        if (p == digits || !is_xml_char(c))
            fail(amp, error);
        if (out)
            out = put_utf8(out, c);
        return p + 1;
    }
    const char* const n0 = p + 1;
    const char* q = n0;
    while (cls(*q) & kNameChar)
        ++q;
    if (*q != ';') {
        if (!*q)
            stopped(q, error);
        fail(amp, error);
    }
    const std::string_view entity(n0, static_cast<std::size_t>(q - n0));
    char c;
    if (entity == "lt")
        c = '<';
    else if (entity == "gt")
        c = '>';
    else if (entity == "amp")
        c = '&';
    else if (entity == "apos")
        c = '\'';
    else if (entity == "quot")
        c = '"';
    else
        fail(amp, error); // no other entity is ever defined
    if (out)
        *out++ = c;
    return q + 1;
}

const char* XmlScanner::processingInstruction(const char* p) {
    const char* const target = p;
    p = name(p, kBadPi);
    const std::string_view t(target, static_cast<std::size_t>(p - target));
    if (t.size() == 3 && (t[0] | 0x20) == 'x' && (t[1] | 0x20) == 'm' && (t[2] | 0x20) == 'l')
        fail(target, kBadPi); // the declaration belongs at the very start
    if (!(p[0] == '?' && p[1] == '>')) {
        if (!is_space(*p)) {
            if (!*p || (p[0] == '?' && !p[1]))
                stopped(*p ? p + 1 : p, kBadPi);
            fail(p, kBadPi);
        }
        return instructionBody(p);
    }
    return p + 2;
}

} // namespace catalogue
