#pragma once

#include "core/catalogue/packet_reader.h"

#include <string>

namespace catalogue {

// The first engine behind read_packet: a pugixml document parsed in place and
// walked. Kept as the reference that the streaming reader is checked and
// measured against; it accepts some text that is not well-formed XML.
void read_packet_pugixml(const std::string& path, PacketSink& sink);

} // namespace catalogue
