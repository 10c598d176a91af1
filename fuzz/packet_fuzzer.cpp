// libFuzzer target: one input is written as both data files and read the
// ways the program reads them. Besides what the sanitizers catch, it checks
// what must hold for any file:
// - the reader hands over the same fields and rows, or fails with the same
//   message, whatever the size of its reads;
// - a table either opens, with every value of every row readable and every
//   text valid UTF-8, or stays closed and reports a message that carries its
//   name and is valid UTF-8 (it goes into the error box as such);
// - a reading stopped through its progress leaves the table closed and empty;
// - nothing but the reader's and the table's own exceptions escapes.
#include "core/catalogue/packet_reader.h"
#include "core/catalogue/spring_record.h"
#include "core/catalogue/table.h"
#include "core/catalogue/text_decoder.h"
#include "reference/recording_sink.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace cat = catalogue;

namespace {

std::string spring_path, maker_path;

[[noreturn]] void broken(const char* what, const std::string& detail) {
    std::fprintf(stderr, "\n*** %s\n%s\n", what, detail.substr(0, 2000).c_str());
    std::abort();
}

void check(bool ok, const char* what, const std::string& detail = {}) {
    if (!ok)
        broken(what, detail);
}

// The reference log, with a check of every row's shape on the way.
class Recording : public reference::RecordingSink {
public:
    void row(const cat::RawRow& r) override {
        check(r.values.size() == r.present.size(), "row sizes differ");
        RecordingSink::row(r);
    }
};

std::string read_with_chunk(cat::PacketReader& reader, std::size_t chunk) {
    reader.setChunkSize(chunk);
    Recording sink;
    try {
        reader.read(spring_path, sink);
    } catch (const cat::PacketMissing&) {
        return sink.log + "missing";
    } catch (const cat::PacketInvalid& e) {
        check(cat::is_valid_utf8(e.what()), "reader message is not UTF-8", e.what());
        return sink.log + "invalid: " + e.what();
    }
    return sink.log;
}

// Every value the grid, the filter and the hooks could ask for.
void read_everything(const cat::Table& t) {
    check(t.recordCount() >= 0, "negative row count");
    for (int r = 0; r < t.recordCount(); ++r) {
        for (int f = 0; f < t.fieldCount(); ++f) {
            const double v = t.number(r, f);
            (void)v;
            (void)t.isNull(r, f);
            const std::string_view text = t.text(r, f);
            check(cat::is_valid_utf8(text), "table text is not UTF-8", std::string(text));
        }
    }
}

void check_closed_after(const cat::Table& t, const cat::TableError& e) {
    const std::string message = e.what();
    check(message.rfind(t.name() + ": ", 0) == 0, "message lacks the table's name", message);
    check(message.size() > t.name().size() + 2, "empty message", message);
    check(cat::is_valid_utf8(message), "table message is not UTF-8", message);
    check(!t.isOpen() && t.recordCount() == 0 && t.currentRow() == -1,
          "failed table is not closed and empty", message);
}

void open_spring(cat::Table& t) {
    try {
        t.open();
    } catch (const cat::TableError& e) {
        check_closed_after(t, e);
        return;
    }
    read_everything(t);
    for (int r = t.recordCount() - 1; r >= 0; --r)
        t.setCurrentRow(r);
    t.close();
    check(!t.isOpen() && t.recordCount() == 0, "closed table keeps rows");
}

// Stops the reading at its n-th report.
class StopAt : public cat::ReadProgress {
public:
    explicit StopAt(int n) : left_(n) {}
    bool advance(std::uint64_t read, std::uint64_t total) override {
        check(total == 0 || read <= total, "more read than the file holds");
        return --left_ > 0;
    }

private:
    int left_;
};

void open_stopped(cat::Table& t, int n) {
    StopAt stop(n);
    try {
        t.open(&stop);
    } catch (const cat::ReadCancelled&) {
        check(!t.isOpen() && t.recordCount() == 0 && t.currentRow() == -1,
              "stopped table is not closed and empty");
        return;
    } catch (const cat::TableError& e) {
        check_closed_after(t, e);
        return;
    }
    read_everything(t);
    t.close();
}

void open_maker(cat::Table& t) {
    try {
        t.open();
    } catch (const cat::TableError& e) {
        check_closed_after(t, e);
        return;
    }
    std::vector<std::string> keys;
    for (int r = 0; r < t.recordCount() && r < 16; ++r)
        keys.emplace_back(t.text(r, cat::maker::maker));
    keys.emplace_back("\x01 no such maker");
    for (const std::string& key : keys) {
        t.setRange(key);
        for (int r = 0; r < t.recordCount(); ++r)
            check(t.text(r, cat::maker::maker) == key, "range holds another key", key);
        read_everything(t);
    }
    t.close();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // A directory of its own for the two files; the working directory stays,
    // since libFuzzer reads its corpus and writes its findings there.
    static char dir[] = "/tmp/tarvolin-fuzz-XXXXXX";
    if (!mkdtemp(dir)) {
        std::perror("fuzz directory");
        std::abort();
    }
    spring_path = std::string(dir) + "/spring_data.xml";
    maker_path = std::string(dir) + "/spring_maker.xml";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    for (const std::string& path : {spring_path, maker_path}) {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        check(f != nullptr, "cannot write the input");
        check(std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size(), "short write");
        std::fclose(f);
    }

    // The same reading with chunk boundaries all over the packet.
    static cat::PacketReader reader, small_reader;
    const std::string whole = read_with_chunk(reader, std::size_t(1) << 20);
    std::uint32_t h = 2166136261u;
    for (const char c : bytes)
        h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    const std::size_t chunk = 1 + h % 23;
    const std::string cut = read_with_chunk(small_reader, chunk);
    if (cut != whole)
        broken("chunk size changes the reading",
               "chunk " + std::to_string(chunk) + "\nwhole:\n" + whole + "\ncut:\n" + cut);

    // The tables as the main window sets them up; kept from input to input,
    // as the window keeps them from search to search.
    static cat::Table spring = [] {
        namespace f = cat::spring;
        cat::Table t("ClientDataSet_spring", spring_path);
        t.setFields(f::stored_fields());
        t.setCalcFields(f::calculated_fields(), [](const cat::Record& r, double* calc) {
            calc[0] = r.number(f::fo) * 2;
            calc[1] = r.number(f::fmax) * 2;
            calc[2] = r.number(f::k) * 2;
        });
        // Reads every stored field of the row under test, as the record filter may.
        t.setFilter([](const cat::Record& r) {
            std::size_t n = 0;
            for (int i = f::modelNo; i <= f::turn; ++i) {
                n += r.text(i).size() + (r.isNull(i) ? 1 : 0);
                check(cat::is_valid_utf8(r.text(i)), "filter text is not UTF-8",
                      std::string(r.text(i)));
            }
            return r.number(f::lo) >= 0 || n % 2 == 0;
        });
        return t;
    }();
    static cat::Table maker = [] {
        cat::Table t("ClientDataSet_maker", maker_path);
        t.setFields(cat::maker::fields());
        t.setOrderField(cat::maker::maker);
        return t;
    }();
    open_spring(spring);
    open_stopped(spring, 1 + static_cast<int>(h % 3));
    open_maker(maker);
    return 0;
}
