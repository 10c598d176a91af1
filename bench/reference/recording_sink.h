// Everything a packet reader tells its sink, as one text, so that two readers
// can be compared: the program's own and the pugixml reference.
#pragma once

#include "core/catalogue/packet_reader.h"

#include <string>
#include <vector>

namespace reference {

class RecordingSink : public catalogue::PacketSink {
public:
    std::string log;

    void begin(const std::vector<catalogue::PacketField>& fields,
               catalogue::TextEncoding encoding) override {
        log += encoding == catalogue::TextEncoding::Utf8 ? "utf8" : "cp932";
        for (const auto& f : fields) {
            log += "|" + f.name + ":" + f.type + ":" + std::to_string(static_cast<int>(f.kind)) +
                   ":" + std::to_string(f.width);
        }
        log += "\n";
    }

    void row(const catalogue::RawRow& r) override {
        log += std::to_string(r.number);
        for (size_t i = 0; i < r.values.size(); ++i)
            log += r.present[i] ? "|[" + std::string(r.values[i]) + "]" : "|-";
        log += "\n";
    }
};

} // namespace reference
