// The parts of the XML scanner that read through what nobody keeps: blanks,
// comments, CDATA sections, processing instructions and the values of
// attributes nobody reads. What is checked of them is dropped from the
// buffer, so that memory stays near the chunk size; the offsets of messages
// stay those of the file.
#include "core/catalogue/xml_scanner.h"
#include "core/catalogue/xml_scanner_chars.h"

#include <cstring>

namespace catalogue {

using namespace xml_chars;

std::uint64_t XmlScanner::offsetOf(const char* p) const {
    const auto at = static_cast<std::size_t>(p - buffer_.data());
    std::uint64_t offset = base_ + at;
    for (const Splice& s : splices_) {
        if (s.at <= at)
            offset += s.bytes;
    }
    return offset;
}

void XmlScanner::foldSplices() {
    // What lies before begin_ is done with: its dropped bytes join base_.
    std::size_t kept = 0;
    for (const Splice& s : splices_) {
        if (s.at < begin_)
            base_ += s.bytes;
        else
            splices_[kept++] = Splice{s.at - begin_, s.bytes};
    }
    splices_.resize(kept);
}

void XmlScanner::drop(const char* from, const char* to) {
    char* const data = buffer_.data();
    const auto at = static_cast<std::size_t>(from - data);
    const auto bytes = static_cast<std::size_t>(to - from);
    if (bytes == 0)
        return;
    std::memmove(data + at, to, static_cast<std::size_t>(data + end_ - to));
    end_ -= bytes;
    data[end_] = '\0';
    if (!splices_.empty() && splices_.back().at == at)
        splices_.back().bytes += bytes;
    else
        splices_.push_back(Splice{at, bytes});
}

void XmlScanner::skipValue(const char* start, const char* p, char quote) {
    for (;;) {
        const char c = *p;
        if (c == quote)
            return;
        if (c == '&') {
            const char* const amp = p;
            char* none = nullptr;
            try {
                p = reference(p, none, kBadAttribute);
            } catch (const NeedMore&) {
                drop(start, amp);
                throw;
            }
            continue;
        }
        if (c == '\0') {
            if (p == buffer_.data() + end_ && !eof_) {
                drop(start, p); // the rest comes with the next chunk
                throw NeedMore{};
            }
            stopped(p, kBadAttribute);
        }
        if (c == '<' || forbidden_control(c))
            fail(p, kBadAttribute);
        ++p;
    }
}

const char* XmlScanner::text(const char* p) {
    char* none = nullptr;
    const bool outside = open_.empty();
    const char* const start = p;
    for (;;) {
        const char c = *p;
        if (c == '<')
            return p;
        if (c == '\0') {
            if (p == buffer_.data() + end_ && eof_)
                return p;
            // What is scanned stays scanned: a long run of blanks is read
            // through, not held. Two bytes stay for a "]]>" cut in half.
            if (p == buffer_.data() + end_ && p - start > 2)
                begin_ = static_cast<std::size_t>(p - 2 - buffer_.data());
            stopped(p, kBadPcdata);
        }
        if (outside && !is_space(c))
            fail(p, seen_root_ ? kSecondRoot : kNoRoot);
        if (c == '&') {
            p = reference(p, none, kBadPcdata);
            continue;
        }
        if (c == ']' && p[1] == ']' && p[2] == '>')
            fail(p, kBadPcdata);
        if (forbidden_control(c))
            fail(p, kBadPcdata);
        ++p;
    }
}

void XmlScanner::stoppedInside(Inside construct, const char* start, const char* stop,
                               const char* error) {
    // Where the buffer ends inside a long construct, its bytes so far are let
    // go and the scan resumes inside it, two bytes back for an end marker
    // cut in half.
    if (stop == buffer_.data() + end_ && !eof_ && stop - start > 2) {
        inside_ = construct;
        begin_ = static_cast<std::size_t>(stop - 2 - buffer_.data());
    }
    stopped(stop, error);
}

const char* XmlScanner::comment(const char* p) {
    const char* const start = p;
    for (;; ++p) {
        const char c = *p;
        if (c == '-' && p[1] == '-') {
            if (p[2] == '>')
                return p + 3;
            if (!p[2])
                stopped(p + 2, kBadComment);
            fail(p, kBadComment); // "--" may not occur inside a comment
        }
        if (c == '\0' || (c == '-' && p[1] == '\0')) {
            // A long comment is read through, not held.
            stoppedInside(Inside::Comment, start, c ? p + 1 : p, kBadComment);
        }
        if (forbidden_control(c))
            fail(p, kBadComment);
    }
}

const char* XmlScanner::instructionBody(const char* p) {
    const char* const start = p;
    for (;; ++p) {
        if (p[0] == '?' && p[1] == '>')
            return p + 2;
        if (!*p || (p[0] == '?' && !p[1])) {
            // A long instruction is read through, as a comment is.
            stoppedInside(Inside::Instruction, start, *p ? p + 1 : p, kBadPi);
        }
        if (forbidden_control(*p))
            fail(p, kBadPi);
    }
}

const char* XmlScanner::cdata(const char* p) {
    const char* const start = p;
    for (;; ++p) {
        const char c = *p;
        if (c == ']' && p[1] == ']' && p[2] == '>')
            return p + 3;
        if (c == '\0') {
            // Read through, two bytes back for a "]]>" cut in half.
            stoppedInside(Inside::Cdata, start, p, kBadCdata);
        }
        if (forbidden_control(c))
            fail(p, kBadCdata);
    }
}

} // namespace catalogue
