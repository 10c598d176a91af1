#include "output_file.h"

#include <filesystem>
#include <random>

namespace cattool {

namespace fs = std::filesystem;

void refuse_existing(const std::string& path, bool overwrite) {
    std::error_code ec;
    if (!overwrite && fs::exists(path, ec))
        throw OutputExists(path + " exists; use --force to overwrite it");
}

OutputFile::OutputFile(std::string path, bool overwrite)
    : path_(std::move(path)), overwrite_(overwrite) {
    refuse_existing(path_, overwrite_);
    std::random_device random;
    for (int attempt = 0; attempt < 16 && !file_; ++attempt) {
        partial_ = path_ + ".partial-" + std::to_string(random() % 1000000);
        file_ = std::fopen(partial_.c_str(), "wbx"); // never an existing file
    }
    if (!file_)
        throw std::runtime_error("cannot write " + path_);
}

OutputFile::~OutputFile() {
    if (file_)
        std::fclose(file_);
    if (!committed_) {
        std::error_code ec;
        fs::remove(partial_, ec);
    }
}

void OutputFile::write(std::string_view bytes) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
        throw std::runtime_error("cannot write " + path_);
}

void OutputFile::commit() {
    std::FILE* f = file_;
    file_ = nullptr;
    if (std::fclose(f) != 0)
        throw std::runtime_error("cannot write " + path_);
    // The output may have appeared while we wrote.
    refuse_existing(path_, overwrite_);
    std::error_code ec;
    fs::rename(partial_, path_, ec);
    if (ec)
        throw std::runtime_error("cannot write " + path_ + ": " + ec.message());
    committed_ = true;
}

} // namespace cattool
