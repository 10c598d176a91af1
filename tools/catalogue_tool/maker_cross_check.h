// Catalogue rows whose maker has no row in the maker packet: the maker box
// stays empty for them.
#pragma once

#include "problem.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace cattool {

// Rows of one catalogue by the maker they name.
using MakerUses = std::map<std::string, std::vector<int>>;

class MakerCrossCheck {
public:
    // The makers of a maker packet that was read whole.
    void addMakers(const std::string& file, const std::set<std::string>& names);
    // The maker names of a catalogue, reported into `sink`.
    void addUses(const MakerUses& uses, ProblemSink& sink);

    // Reports each catalogue row whose maker matches no maker row exactly (as
    // the maker table follows the catalogue), per file in row order. Nothing
    // without a maker packet.
    void report() const;

private:
    struct Catalogue {
        MakerUses uses;
        ProblemSink* sink;
    };
    std::set<std::string> makers_;
    std::vector<std::string> maker_files_;
    std::vector<Catalogue> catalogues_;
};

} // namespace cattool
