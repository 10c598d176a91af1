#include "support/packet_writer.h"

namespace testsupport {

void write_bytes(const QString& path, const std::string& bytes) {
    write_file(path.toStdString(), bytes);
}

void write_cp932(const QString& path, const std::string& utf8) {
    write_file_cp932(path.toStdString(), utf8);
}

void write_catalogue(const std::vector<SpringRow>& springs, const std::vector<MakerRow>& makers) {
    write_file_cp932("spring_data.xml", spring_packet(springs));
    write_file_cp932("spring_maker.xml", maker_packet(makers));
}

} // namespace testsupport
